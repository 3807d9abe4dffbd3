#include "record/forms/ChartPaintBox.h"

#include "base/Platform.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

ChartPaintBox::ChartPaintBox(const QImage *surface, QWidget *parent)
    : QWidget(parent)
    , m_surface(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ChartPaintBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect() & QRect(QPoint(0, 0), size());
    painter.drawImage(area.topLeft(), *m_surface, area);
}

void ChartPaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void ChartPaintBox::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}

ArrowMarker::ArrowMarker(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(9, 9);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ArrowMarker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0, 255, 255));
    painter.drawPolygon(QPolygonF({ QPointF(0.5, 0.5), QPointF(8.5, 0.5), QPointF(4.5, 8.5) }));
}

QPixmap LoadPenPicture(const QString &name, QString *error)
{
    const QString path = platform::programDir().filePath(QStringLiteral("PenData/") + name);
    if (qApp->devicePixelRatio() > 1.0) {
        QString twin = path;
        twin.insert(twin.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap picture;
        if (picture.load(twin)) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    QPixmap picture;
    if (!picture.loadFromData(file.readAll()) && error)
        *error = QStringLiteral("%1 is not a picture").arg(path);
    return picture;
}
