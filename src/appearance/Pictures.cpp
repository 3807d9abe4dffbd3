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
    // are added so that a window moved to another screen finds the right one. Each file is
    // added with the size its header gives, which QIcon takes as leave to read the pixels
    // only when that size is first drawn (without a size it reads them at once).
    const ProgramDir &dir = platform::programDir();
    QIcon icon;
    for (const QString &path : { dir.filePath(relativePath), dir.filePath(DoubleSizeName(relativePath)) }) {
        const QSize size = QImageReader(path).size();
        if (size.isValid())
            icon.addFile(path, size);
    }
    return icon;
}
