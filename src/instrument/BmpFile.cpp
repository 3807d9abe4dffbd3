#include "instrument/BmpFile.h"

#include "base/Errors.h"

#include <QFile>

namespace {
void put16(QByteArray &bytes, int offset, uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

void put32(QByteArray &bytes, int offset, uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;
} // namespace

QByteArray Bmp24Bytes(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int pixelBytes = rowBytes * height;
    const int headers = FileHeaderBytes + InfoHeaderBytes;

    QByteArray bytes(headers + pixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    put32(bytes, 10, headers);
    put32(bytes, 14, InfoHeaderBytes);
    put32(bytes, 18, static_cast<uint32_t>(width));
    put32(bytes, 22, static_cast<uint32_t>(height)); // positive: rows bottom-up
    put16(bytes, 26, 1); // planes
    put16(bytes, 28, 24); // bits per pixel
    put32(bytes, 30, 0); // no compression
    put32(bytes, 34, static_cast<uint32_t>(pixelBytes));

    for (int y = 0; y < height; ++y) {
        const uchar *line = rgb.constScanLine(y);
        char *out = bytes.data() + headers + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            out[3 * x] = static_cast<char>(line[3 * x + 2]);
            out[3 * x + 1] = static_cast<char>(line[3 * x + 1]);
            out[3 * x + 2] = static_cast<char>(line[3 * x]);
        }
    }
    return bytes;
}

void WriteBmp24(const QImage &image, const QString &path)
{
    const QByteArray bytes = Bmp24Bytes(image);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInOutError(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw EInOutError(file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(file.errorString());
}
