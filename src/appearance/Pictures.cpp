#include "appearance/Pictures.h"

#include "base/Platform.h"

#include <QFileInfo>

#include <utility>

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

QIcon ProgramIcon(const QString &relativePath, QSize designSize)
{
    // QIcon looks for the @2x file only when the screen is scaled as the icon is made; both
    // are added so that a window moved to another screen finds the right one. Given their
    // sizes, QIcon reads a file only when that size is first drawn (without, it reads every
    // file at once), so only whether the files are there is looked at here.
    const ProgramDir &dir = platform::programDir();
    QIcon icon;
    for (const auto &[path, size] : { std::pair(dir.filePath(relativePath), designSize),
             std::pair(dir.filePath(DoubleSizeName(relativePath)), designSize * 2) }) {
        if (QFileInfo::exists(path))
            icon.addFile(path, size);
    }
    return icon;
}
