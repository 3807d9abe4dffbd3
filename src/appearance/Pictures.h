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

// A tool bar glyph: both sizes in one icon, the screen picks.
QIcon ProgramIcon(const QString &relativePath);

// "NAME@2x.png" for "NAME.png".
QString DoubleSizeName(const QString &relativePath);
