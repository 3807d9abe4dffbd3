// The main window's progress bar: a step repaints the bar alone, and what it shows is pixel
// for pixel what an ordinary progress bar shows in the same place.

#include "measure/forms/MainParts.h"

#include <QImage>
#include <QPainter>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A panel with a background of its own that counts how often it is painted.
class CountingPanel : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        ++paints;
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(200, 40, 40));
        gradient.setColorAt(1, QColor(40, 40, 200));
        painter.fillRect(rect(), gradient);
    }
};

struct Window
{
    explicit Window(std::unique_ptr<QProgressBar> (*make)(QWidget *))
    {
        top.resize(200, 40);
        panel = new CountingPanel;
        panel->setParent(&top);
        panel->setGeometry(10, 10, 124, 20);
        bar = make(panel).release();
        bar->setRange(0, 50);
        bar->setTextVisible(false);
        bar->setGeometry(2, 2, 120, 16);
        top.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
    }
    QImage barPixels()
    {
        return top.grab(QRect(bar->mapTo(&top, QPoint(0, 0)), bar->size()))
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QWidget top;
    CountingPanel *panel = nullptr;
    QProgressBar *bar = nullptr;
};

TEST(ProgressBar, StepsRepaintOnlyTheBarAndShowWhatAPlainBarShows)
{
    Window kept([](QWidget *parent) -> std::unique_ptr<QProgressBar> {
        return std::make_unique<TProgressBar>(parent);
    });
    Window plain([](QWidget *parent) { return std::make_unique<QProgressBar>(parent); });
    for (int step : { 0, 1, 17, 25, 49, 50 }) {
        SCOPED_TRACE(step);
        kept.bar->setValue(step);
        plain.bar->setValue(step);
        static_cast<TProgressBar *>(kept.bar)->keepBackground();
        const int paintsBefore = kept.panel->paints;
        kept.bar->repaint();
        EXPECT_EQ(kept.panel->paints, paintsBefore) << "the panel behind the bar was painted again";
        // An ordinary bar is not opaque: each of its repaints paints the panel behind it too.
        const int plainBefore = plain.panel->paints;
        plain.bar->repaint();
        EXPECT_GT(plain.panel->paints, plainBefore);
        EXPECT_EQ(kept.barPixels(), plain.barPixels());
    }
    // After a move the background is taken again from the new place.
    kept.panel->move(30, 12);
    plain.panel->move(30, 12);
    kept.bar->setValue(33);
    plain.bar->setValue(33);
    kept.bar->repaint(); // painted as a plain bar until the background is taken again
    EXPECT_EQ(kept.barPixels(), plain.barPixels());
    static_cast<TProgressBar *>(kept.bar)->keepBackground();
    kept.bar->repaint();
    plain.bar->repaint();
    EXPECT_EQ(kept.barPixels(), plain.barPixels());
}

TEST(ProgressBar, StepsBetweenTheEndsAreShownAndTheEndsAreItsValue)
{
    Window kept([](QWidget *parent) -> std::unique_ptr<QProgressBar> {
        return std::make_unique<TProgressBar>(parent);
    });
    Window plain([](QWidget *parent) { return std::make_unique<QProgressBar>(parent); });
    auto *bar = static_cast<TProgressBar *>(kept.bar);
    bar->setValue(0);
    bar->keepBackground();
    for (int step = 1; step <= 50; ++step) {
        SCOPED_TRACE(step);
        bar->setValue(step);
        bar->repaint();
        plain.bar->setValue(step);
        EXPECT_EQ(kept.barPixels(), plain.barPixels());
    }
    EXPECT_EQ(bar->value(), 50);

    // A step shown when the bar has to paint as any bar again (here: it is moved) becomes its
    // value, and the bar keeps showing it.
    bar->setValue(0);
    bar->keepBackground();
    bar->setValue(20);
    EXPECT_EQ(bar->value(), 0);
    bar->move(4, 2);
    plain.bar->move(4, 2);
    plain.bar->setValue(20);
    EXPECT_EQ(bar->value(), 20);
    bar->repaint();
    EXPECT_EQ(kept.barPixels(), plain.barPixels());
    // A value set through the plain bar's own setter is shown as such.
    bar->keepBackground();
    bar->setValue(30);
    static_cast<QProgressBar *>(bar)->setValue(40);
    plain.bar->setValue(40);
    bar->repaint();
    EXPECT_EQ(kept.barPixels(), plain.barPixels());
}

} // namespace
