#include "appearance/Fonts.h"

#include <QFileInfo>
#include <QFontDatabase>

namespace {
const QString Tahoma = QStringLiteral("Tahoma");

void substitute(const QStringList &faces, const QStringList &substitutes)
{
    for (const QString &face : faces) {
        if (!QFontDatabase::hasFamily(face))
            QFont::insertSubstitutions(face, substitutes);
    }
}
} // namespace

QStringList TahomaFontFiles()
{
    QStringList files;
    for (const char *folder :
        { "/usr/share/wine/fonts/", "/usr/lib/wine/fonts/", "/usr/share/fonts/truetype/wine/" })
        for (const char *file : { "tahoma.ttf", "tahomabd.ttf" })
            files << QString::fromLatin1(folder) + QString::fromLatin1(file);
    return files;
}

void InstallFontSubstitutes()
{
    if (!QFontDatabase::hasFamily(Tahoma)) {
        for (const QString &file : TahomaFontFiles())
            if (QFileInfo::exists(file))
                QFontDatabase::addApplicationFont(file);
    }

    const QString narrow = QStringLiteral("Liberation Sans Narrow");
    const QString sans = QStringLiteral("Liberation Sans");
    const QString chinese = QStringLiteral("WenQuanYi Micro Hei");
    substitute({ Tahoma }, { sans, QStringLiteral("DejaVu Sans Condensed") });
    substitute(
        { QStringLiteral("MS Sans Serif"), QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2") },
        { narrow, Tahoma, sans });
    substitute({ QStringLiteral("Arial") }, { sans });
    substitute({ QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                   QStringLiteral("新宋体"), QStringLiteral("SimHei"), QStringLiteral("黑体"),
                   QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑") },
        { chinese, QStringLiteral("Noto Sans CJK SC") });
}

QFont DesignFont()
{
    QFont font(Tahoma);
    font.setPointSize(8);
    return font;
}
