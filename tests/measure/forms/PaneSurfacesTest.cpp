// The panes' off-screen surfaces: half the screen, every pixel the drawing background of the
// moment they are made, and a surface that outlives copies of it.

#include "link/Globals.h"
#include "measure/DrawingColours.h"
#include "measure/forms/MainParts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(PaneSurfaces, HalfTheScreenInTheBackgroundColour)
{
    const QColor saved = WaveBackgroundColor;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (const QColor background : { QColor(Qt::black), QColor(238, 238, 238), QColor(Qt::white) }) {
        WaveBackgroundColor = background;
        QImage wave, uHarm;
        MakePaneSurfaces({ &wave, &uHarm });
        for (const QImage *surface : { &wave, &uHarm }) {
            ASSERT_EQ(surface->size(), QSize(screen.width() / 2, screen.height() / 2));
            EXPECT_EQ(surface->format(), QImage::Format_RGB32);
            const QImage expected = [&] {
                QImage plain(surface->size(), QImage::Format_RGB32);
                plain.fill(background);
                return plain;
            }();
            EXPECT_TRUE(*surface == expected) << qPrintable(background.name());
        }

        // Drawing on a copy leaves the surface as it was, and the surface stays drawable.
        QImage copy = wave;
        QPainter(&copy).fillRect(0, 0, 4, 4, Qt::red);
        EXPECT_EQ(wave.pixelColor(1, 1), background);
        QPainter(&wave).fillRect(0, 0, 4, 4, Qt::blue);
        EXPECT_EQ(wave.pixelColor(1, 1), QColor(Qt::blue));
        EXPECT_EQ(copy.pixelColor(1, 1), QColor(Qt::red));
    }
    WaveBackgroundColor = saved;
}

} // namespace
