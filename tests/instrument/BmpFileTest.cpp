// 24-bit BMP files: header, bottom-up padded rows, and errors with the system's text.

#include "instrument/BmpFile.h"
#include "base/Errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

uint32_t at32(const QByteArray &bytes, int offset)
{
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<uint8_t>(bytes[offset + k]);
    return value;
}

QImage sample()
{
    // Three pixels a row: 9 bytes, padded to 12.
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(1, 0, QColor(0, 255, 0));
    image.setPixelColor(2, 0, QColor(0, 0, 255));
    image.setPixelColor(0, 1, QColor(1, 2, 3));
    image.setPixelColor(1, 1, QColor(250, 251, 252));
    image.setPixelColor(2, 1, QColor(0, 0, 0));
    return image;
}

TEST(Bmp24, HeaderAndRowsBottomUp)
{
    const QByteArray bytes = Bmp24Bytes(sample());
    ASSERT_EQ(bytes.size(), 54 + 2 * 12);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(at32(bytes, 2), 78u);
    EXPECT_EQ(at32(bytes, 10), 54u);
    EXPECT_EQ(at32(bytes, 14), 40u);
    EXPECT_EQ(at32(bytes, 18), 3u);
    EXPECT_EQ(at32(bytes, 22), 2u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);
    EXPECT_EQ(at32(bytes, 30), 0u);
    // The bottom row first, blue green red, three bytes of padding.
    EXPECT_EQ(bytes.mid(54, 12).toHex(' '), QByteArray("03 02 01 fc fb fa 00 00 00 00 00 00"));
    EXPECT_EQ(bytes.mid(66, 12).toHex(' '), QByteArray("00 00 ff 00 ff 00 ff 00 00 00 00 00"));
}

TEST(Bmp24, WrittenFileReadsBackAsThePicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.bmp"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x')); // a longer file of that name is replaced, not patched
    old.close();

    const QImage image = sample();
    WriteBmp24(image, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 78);
    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
}

TEST(Bmp24, AFileThatCannotBeWrittenRaisesTheSystemText)
{
    QTemporaryDir dir;
    try {
        WriteBmp24(sample(), dir.filePath(QStringLiteral("missing/chart.bmp")));
        ADD_FAILURE() << "no error";
    } catch (const EInOutError &error) {
        EXPECT_FALSE(error.text().isEmpty());
        EXPECT_TRUE(error.text().contains(QStringLiteral("No such file"), Qt::CaseInsensitive))
            << qPrintable(error.text());
    }
}

} // namespace
