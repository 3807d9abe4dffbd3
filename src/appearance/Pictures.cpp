#include "appearance/Pictures.h"

#include "link/Platform.h"

#include <QImageReader>

QString DoubleSizeName(const QString &relativePath)
{
    const qsizetype dot = relativePath.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash + 1)
        return relativePath + QStringLiteral("@2x");
    return relativePath.left(dot) + QStringLiteral("@2x") + relativePath.mid(dot);
}

QPixmap ProgramPicture(const QString &relativePath, qreal devicePixelRatio)
{
    const ProgramDir &dir = platform::programDir();
    if (devicePixelRatio > 1.0) {
        QPixmap large(dir.filePath(DoubleSizeName(relativePath)));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return QPixmap(dir.filePath(relativePath));
}

QIcon ProgramIcon(const QString &relativePath)
{
    // QIcon looks for the @2x file only when the screen is scaled as the icon is made; both
    // are added so that a window moved to another screen finds the right one. The files are
    // added with their sizes, which QIcon takes as leave to read the pixels only when that
    // size is first drawn (without a size it reads them at once). The @2x file is twice the
    // design size; a missing one is left out by QIcon.
    const ProgramDir &dir = platform::programDir();
    const QString path = dir.filePath(relativePath);
    const QSize size = QImageReader(path).size();
    QIcon icon;
    if (size.isValid()) {
        icon.addFile(path, size);
        icon.addFile(dir.filePath(DoubleSizeName(relativePath)), size * 2);
    }
    return icon;
}
