#include "appearance/Pictures.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

void writePicture(const TempProgramDir &dir, const QString &name, QSize size, QColor color)
{
    QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(dir.filePath(name)));
}

TEST(Pictures, DoubleSizeNames)
{
    EXPECT_EQ(
        DoubleSizeName(QStringLiteral("Pictures/Splash.png")), QStringLiteral("Pictures/Splash@2x.png"));
    EXPECT_EQ(DoubleSizeName(QStringLiteral("Pictures/Tool/Open.png")),
        QStringLiteral("Pictures/Tool/Open@2x.png"));
    EXPECT_EQ(DoubleSizeName(QStringLiteral("a.b/logo")), QStringLiteral("a.b/logo@2x"));
}

TEST(Pictures, TheScreenRatioChoosesTheFile)
{
    TempProgramDir dir;
    writePicture(dir, QStringLiteral("Pictures/Logo.png"), QSize(10, 6), Qt::red);
    writePicture(dir, QStringLiteral("Pictures/Logo@2x.png"), QSize(20, 12), Qt::blue);
    writePicture(dir, QStringLiteral("Pictures/Plain.png"), QSize(8, 8), Qt::green);

    struct Case
    {
        const char *name;
        qreal ratio;
        QSize pixels;
        qreal pictureRatio;
        QColor color;
    } cases[] = {
        { "Pictures/Logo.png", 1.0, QSize(10, 6), 1.0, Qt::red },
        { "Pictures/Logo.png", 1.25, QSize(20, 12), 2.0, Qt::blue },
        { "Pictures/Logo.png", 2.0, QSize(20, 12), 2.0, Qt::blue },
        { "Pictures/Plain.png", 2.0, QSize(8, 8), 1.0, Qt::green },
    };
    for (const Case &c : cases) {
        const QPixmap picture = ProgramPicture(QString::fromLatin1(c.name), c.ratio);
        EXPECT_EQ(picture.size(), c.pixels) << c.name << " " << c.ratio;
        EXPECT_EQ(picture.devicePixelRatio(), c.pictureRatio) << c.name << " " << c.ratio;
        EXPECT_EQ(picture.toImage().pixelColor(0, 0), c.color) << c.name << " " << c.ratio;
    }
    EXPECT_TRUE(ProgramPicture(QStringLiteral("Pictures/Missing.png"), 2.0).isNull());

    const QIcon icon = ProgramIcon(QStringLiteral("Pictures/Logo.png"), QSize(10, 6));
    EXPECT_EQ(icon.pixmap(QSize(10, 6), 1.0).toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(icon.pixmap(QSize(10, 6), 2.0).toImage().pixelColor(0, 0), QColor(Qt::blue));
    const QIcon plain = ProgramIcon(QStringLiteral("Pictures/Plain.png"), QSize(8, 8));
    EXPECT_EQ(plain.pixmap(QSize(8, 8), 2.0).toImage().pixelColor(0, 0), QColor(Qt::green))
        << "the design size serves a scaled screen when there is no @2x file";
    EXPECT_TRUE(ProgramIcon(QStringLiteral("Pictures/Missing.png"), QSize(8, 8)).isNull());
}

// The pictures shipped in data/Pictures: every one in both sizes, the larger exactly twice
// the smaller, and none of them blank.
TEST(Pictures, ShippedPicturesComeInBothSizes)
{
    const QDir folder(QDir(QStringLiteral(KMR_SOURCE_DIR)).filePath(QStringLiteral("data/Pictures")));
    struct Case
    {
        const char *name;
        QSize size;
    } cases[] = {
        { "Splash.png", QSize(521, 315) },
        { "VersionLogo.png", QSize(64, 64) },
        { "Norvo.png", QSize(72, 18) },
    };
    QStringList names;
    for (const Case &c : cases)
        names << QString::fromLatin1(c.name);
    const QStringList glyphs
        = QDir(folder.filePath(QStringLiteral("Tool"))).entryList({ QStringLiteral("*.png") });
    for (const QString &glyph : glyphs)
        if (!glyph.contains(QStringLiteral("@2x")))
            names << QStringLiteral("Tool/") + glyph;
    EXPECT_GE(names.size(), 3 + 10);

    for (const QString &name : names) {
        const QImage small(folder.filePath(name));
        const QImage large(folder.filePath(DoubleSizeName(name)));
        ASSERT_FALSE(small.isNull()) << qPrintable(name);
        ASSERT_FALSE(large.isNull()) << qPrintable(name);
        EXPECT_EQ(large.size(), small.size() * 2) << qPrintable(name);
        for (const Case &c : cases) {
            if (name == QString::fromLatin1(c.name)) {
                EXPECT_EQ(small.size(), c.size) << c.name;
            }
        }
        if (name.startsWith(QStringLiteral("Tool/"))) {
            EXPECT_EQ(small.size(), QSize(24, 24)) << qPrintable(name);
        }
        int opaque = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x)
                opaque += qAlpha(small.pixel(x, y)) > 128;
        EXPECT_GT(opaque, small.width() * small.height() / 16) << qPrintable(name);
    }
}

} // namespace
