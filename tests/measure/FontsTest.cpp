// Offscreen Qt without a usable font draws no text at all and says nothing; the program's
// own texts are partly Chinese. These checks fail loudly when the fonts are missing.

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {
int inkPixels(const QString &text)
{
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("Tahoma"), 12));
    painter.drawText(4, 28, text);
    painter.end();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != qRgb(255, 255, 255);
    return ink;
}
} // namespace

TEST(Fonts, DatabaseHasLatinAndChineseFamilies)
{
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
}

TEST(Fonts, LatinAndChineseTextLeaveInk)
{
    EXPECT_GT(inkPixels(QStringLiteral("Vol 230.12V")), 20);
    EXPECT_GT(inkPixels(QStringLiteral("通讯出现异常")), 20);
}

TEST(Fonts, ChineseGlyphsAreNotTheMissingGlyphBox)
{
    // A font that lacks a character draws the same box for every one of them; two
    // different ideographs must therefore come out differently.
    QImage a(60, 40, QImage::Format_RGB32), b(60, 40, QImage::Format_RGB32);
    for (auto [image, text] :
        { std::pair { &a, QStringLiteral("通") }, std::pair { &b, QStringLiteral("量") } }) {
        image->fill(Qt::white);
        QPainter painter(image);
        painter.setPen(Qt::black);
        painter.setFont(QFont(QStringLiteral("Tahoma"), 16));
        painter.drawText(4, 30, text);
    }
    EXPECT_NE(a, b);
}
