#include "widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent)
    : QWidget(parent)
{
    // The surfaces are opaque; nothing behind the box needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}

TClickImage::TClickImage(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TClickImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick();
}
