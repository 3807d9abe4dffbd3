#include "appearance/Fonts.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QSet>

namespace {
const QString Tahoma = QStringLiteral("Tahoma");

// The installed families, case-folded. Listed once: QFontDatabase::hasFamily lists them all
// again and asks fontconfig to resolve the name at every call.
class InstalledFaces
{
public:
    InstalledFaces()
    {
        for (const QString &family : QFontDatabase::families())
            m_faces.insert(family.toCaseFolded());
    }
    bool has(const QString &face) const { return m_faces.contains(face.toCaseFolded()); }
    void addFile(const QString &file)
    {
        const int id = QFontDatabase::addApplicationFont(file);
        for (const QString &family : QFontDatabase::applicationFontFamilies(id))
            m_faces.insert(family.toCaseFolded());
    }
    // Faces that are not installed are looked up as the first installed one of `substitutes`.
    void substitute(const QStringList &faces, const QStringList &substitutes) const
    {
        for (const QString &face : faces)
            if (!has(face))
                QFont::insertSubstitutions(face, substitutes);
    }

private:
    QSet<QString> m_faces;
};
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
    InstalledFaces installed;
    if (!installed.has(Tahoma)) {
        for (const QString &file : TahomaFontFiles())
            if (QFileInfo::exists(file))
                installed.addFile(file);
    }

    const QString narrow = QStringLiteral("Liberation Sans Narrow");
    const QString sans = QStringLiteral("Liberation Sans");
    const QString chinese = QStringLiteral("WenQuanYi Micro Hei");
    installed.substitute({ Tahoma }, { sans, QStringLiteral("DejaVu Sans Condensed") });
    installed.substitute(
        { QStringLiteral("MS Sans Serif"), QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2") },
        { narrow, Tahoma, sans });
    installed.substitute({ QStringLiteral("Arial") }, { sans });
    installed.substitute({ QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
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
