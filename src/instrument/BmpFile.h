#pragma once

// Pictures saved as uncompressed 24-bit BMP files.

#include <QByteArray>
#include <QImage>
#include <QString>

// The file's bytes: file header, 40-byte info header, rows bottom-up in blue, green, red
// order, each padded to a multiple of four bytes.
QByteArray Bmp24Bytes(const QImage &image);
// Writes the file, replacing one of that name; throws EInOutError with the system's text
// when it cannot be created or written.
void WriteBmp24(const QImage &image, const QString &path);
