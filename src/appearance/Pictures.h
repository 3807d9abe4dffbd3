#pragma once

// The program's pictures (folder Pictures of the program's directory). Each is kept at
// design size, NAME.png, and at twice that size, NAME@2x.png, for screens scaled to 150 %
// and more.

#include <QIcon>
#include <QPixmap>
#include <QString>

// The picture at `relativePath` for a screen of `devicePixelRatio`: the @2x file (marked as
// such, so it takes the design size on screen) when the ratio is above 1 and the file exists,
// else the design-size file. A null pixmap when neither can be read.
QPixmap ProgramPicture(const QString &relativePath, qreal devicePixelRatio);

// A tool bar glyph of `designSize` (its @2x file twice that): both sizes in one icon, the
// screen picks. A null icon when neither file is there.
QIcon ProgramIcon(const QString &relativePath, QSize designSize);

// The design size of the tool bar glyphs in Pictures/Tool.
constexpr QSize ToolGlyphSize(24, 24);

// "NAME@2x.png" for "NAME.png".
QString DoubleSizeName(const QString &relativePath);
