#include "appearance/SkinChoice.h"

#include "appearance/SkinEngine.h"
#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"

#include <array>
#include <cstdio>

namespace appearance {
namespace {
const QString SettingsFile = QStringLiteral("SysSet.ini");
const QString SkinSection = QStringLiteral("SkinSet");
const QString SkinKey = QStringLiteral("Skin");
const QString WaveSection = QStringLiteral("WaveSet");
const QString BackgroundKey = QStringLiteral("WaveBackground");
const QString ScaleKey = QStringLiteral("ScaleColor");
constexpr int DefaultValue = 2; // of every key, when it is missing

constexpr std::array<QRgb, 3> Backgrounds = { qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(238, 238, 238) };
constexpr std::array<QRgb, 3> Scales = { qRgb(0, 128, 128), qRgb(239, 239, 0), qRgb(170, 170, 170) };

std::optional<QColor> colorOf(const std::array<QRgb, 3> &table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        return std::nullopt;
    return QColor(table[static_cast<size_t>(index)]);
}

std::optional<int> stored(const QString &section, const QString &key)
{
    try {
        return IniFile(SettingsFile).readInteger(section, key);
    } catch (const EConvertError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return std::nullopt;
    } catch (const KmrError &error) {
        // A settings file that cannot be read holds nothing the program can use.
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return DefaultValue;
    }
}
} // namespace

QString SkinFileName(int skin)
{
    if (skin < 1 || skin > SkinCount)
        return {};
    return QStringLiteral("SkinsFile/%1.ats").arg(skin, 2, 10, QLatin1Char('0'));
}

std::optional<QColor> BackgroundColorOf(int index)
{
    return colorOf(Backgrounds, index);
}
std::optional<QColor> ScaleColorOf(int index)
{
    return colorOf(Scales, index);
}

std::optional<int> StoredSkin()
{
    return stored(SkinSection, SkinKey);
}
std::optional<int> StoredBackground()
{
    return stored(WaveSection, BackgroundKey);
}
std::optional<int> StoredScale()
{
    return stored(WaveSection, ScaleKey);
}

bool ApplySkin(SkinEngine &engine, int skin)
{
    if (skin == 0) {
        engine.setActive(false);
        return true;
    }
    const QString name = SkinFileName(skin);
    if (name.isEmpty() || !engine.loadFromFile(platform::programDir().filePath(name)))
        return false;
    if (!engine.active())
        engine.setActive(true);
    return true;
}

void LoadStoredSkin(SkinEngine &engine)
{
    if (const std::optional<int> skin = StoredSkin())
        ApplySkin(engine, *skin);
}

void ChooseSkin(SkinEngine &engine, int skin)
{
    if (skin < 0 || skin > SkinCount)
        return;
    ApplySkin(engine, skin);
    IniFile(SettingsFile).writeInteger(SkinSection, SkinKey, skin);
}

bool ChooseBackground(int index, QColor &store)
{
    const std::optional<QColor> color = BackgroundColorOf(index);
    if (!color)
        return false;
    store = *color;
    IniFile(SettingsFile).writeInteger(WaveSection, BackgroundKey, index);
    return true;
}

bool ChooseScale(int index, QColor &store)
{
    const std::optional<QColor> color = ScaleColorOf(index);
    if (!color)
        return false;
    store = *color;
    IniFile(SettingsFile).writeInteger(WaveSection, ScaleKey, index);
    return true;
}

} // namespace appearance
