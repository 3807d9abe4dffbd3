// The faces the windows ask for, as the substitutes resolve them: captions must fit the room
// the fixed layouts give them at the design sizes.

#include "appearance/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class FontsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { InstallFontSubstitutes(); }

    static QFont face(const char *family, int pixelSize, bool bold = false)
    {
        QFont font(QString::fromUtf8(family));
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        return font;
    }
};

TEST_F(FontsTest, DesignFacesResolveToInstalledFaces)
{
    struct Case
    {
        const char *requested;
        QStringList acceptable;
    } cases[] = {
        { "Tahoma", { "Tahoma", "Liberation Sans", "DejaVu Sans Condensed" } },
        { "MS Sans Serif", { "Liberation Sans Narrow", "Tahoma", "Liberation Sans" } },
        { "MS Shell Dlg 2", { "Liberation Sans Narrow", "Tahoma", "Liberation Sans" } },
        { "Arial", { "Liberation Sans" } },
        { "宋体", { "WenQuanYi Micro Hei", "Noto Sans CJK SC" } },
        { "SimSun", { "WenQuanYi Micro Hei", "Noto Sans CJK SC" } },
    };
    for (const Case &c : cases) {
        const QString family = QFontInfo(face(c.requested, 11)).family();
        EXPECT_TRUE(c.acceptable.contains(family)) << c.requested << " became " << qPrintable(family);
    }
    // An installed face is never replaced.
    EXPECT_EQ(QFontInfo(face("DejaVu Sans", 11)).family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(FontsTest, CaptionsFitTheirRoomAtTheDesignSizes)
{
    // Texts of the windows with the face, size and room (pixels) their layouts give them.
    struct Case
    {
        const char *family;
        int pixelSize;
        bool bold;
        const char *text;
        int room;
    } cases[] = {
        { "MS Sans Serif", 11, true, "Frequency", 48 }, // parameter label before its panel
        { "MS Sans Serif", 11, true, "     Pq", 48 },
        { "MS Sans Serif", 11, true, "   VKF", 48 },
        { "MS Sans Serif", 11, false, "Electrical Measurement Experts  ", 166 }, // status panels
        { "MS Sans Serif", 11, false, "Communication ......", 176 },
        { "Tahoma", 17, false, "49.991Hz", 83 - 4 }, // value panel with its bevel
        { "Tahoma", 17, false, "230.12V", 83 - 4 },
        { "Tahoma", 11, false, "Background Color", 120 }, // skin window group caption
        { "Tahoma", 11, false, "Light Black", 100 },
    };
    for (const Case &c : cases) {
        const int width
            = QFontMetrics(face(c.family, c.pixelSize, c.bold)).horizontalAdvance(QString::fromUtf8(c.text));
        EXPECT_LE(width, c.room) << c.family << " " << c.pixelSize << (c.bold ? " bold " : " ") << '"'
                                 << c.text << '"';
    }
}

TEST_F(FontsTest, ChineseFacesDrawRealGlyphs)
{
    // A face without the characters draws one box for all of them.
    QImage a(40, 30, QImage::Format_RGB32), b(40, 30, QImage::Format_RGB32);
    for (auto [image, text] :
        { std::pair { &a, QStringLiteral("皮") }, std::pair { &b, QStringLiteral("肤") } }) {
        image->fill(Qt::white);
        QPainter painter(image);
        painter.setFont(face("宋体", 20));
        painter.setPen(Qt::black);
        painter.drawText(4, 24, text);
    }
    EXPECT_NE(a, b);
}

} // namespace
