#pragma once

// A paint box that shows the top-left part of an off-screen image, its own size, and
// reports mouse moves and double clicks. Painting only copies; the owner redraws the image.

#include <QImage>
#include <QPixmap>
#include <QWidget>

class ChartPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPaintBox(const QImage *surface, QWidget *parent = nullptr);

signals:
    void mouseMoved(int x, int y);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    const QImage *m_surface;
};

// The cursor marker: a 9 × 9 downward arrow, aqua.
class ArrowMarker : public QWidget
{
    Q_OBJECT

public:
    explicit ArrowMarker(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A picture of the program's "PenData" folder ("green.dat", "12.dat"), its "@2x" twin on a
// screen of more than one device pixel per pixel when that exists. Null when it cannot be
// read; `error` then holds the system's text (or says the file is no picture).
QPixmap LoadPenPicture(const QString &name, QString *error = nullptr);
