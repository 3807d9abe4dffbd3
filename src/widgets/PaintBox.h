#pragma once

// Two small controls the windows share: a paint box whose paint event hands a painter to
// its owner, and a picture that reacts to a click.

#include <QLabel>
#include <QWidget>

#include <functional>

class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);
    std::function<void(QPainter &)> OnPaint;

protected:
    void paintEvent(QPaintEvent *event) override;
};

class TClickImage : public QLabel
{
    Q_OBJECT

public:
    explicit TClickImage(QWidget *parent = nullptr);
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
