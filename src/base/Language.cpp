#include "base/Language.h"

#include "base/Errors.h"
#include "base/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QTranslator>

#include <memory>
#include <vector>

namespace {
const QString Section = QStringLiteral("Language");
const QString Key = QStringLiteral("Choice");

struct Applied
{
    Language language = Language::Original;
    std::vector<std::unique_ptr<QTranslator>> translators;
    std::unique_ptr<QTranslator> qtTexts; // Qt's own: file dialogs, standard buttons
};

Applied &applied()
{
    static Applied state;
    return state;
}
} // namespace

Language LanguageFromLocaleName(const QString &localeName)
{
    const QString name = localeName.trimmed().toLower();
    if (name.startsWith(QLatin1String("zh")))
        return Language::Chinese;
    if (name.startsWith(QLatin1String("en")))
        return Language::English;
    return Language::Original;
}

QString LanguageKey(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("english");
    case Language::Chinese:
        return QStringLiteral("chinese");
    case Language::Original:
        break;
    }
    return QStringLiteral("original");
}

std::optional<Language> LanguageFromKey(const QString &key)
{
    const QString word = key.trimmed().toLower();
    for (const Language language : { Language::Original, Language::English, Language::Chinese }) {
        if (word == LanguageKey(language))
            return language;
    }
    return std::nullopt;
}

QString LanguageCaption(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("English");
    case Language::Chinese:
        return QStringLiteral("中文");
    case Language::Original:
        break;
    }
    return QCoreApplication::translate("Language", "Original");
}

QString LanguageFileSuffix(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("en");
    case Language::Chinese:
        return QStringLiteral("zh_CN");
    case Language::Original:
        break;
    }
    return {};
}

Language StoredLanguage(const QString &localeName)
{
    QString stored;
    try {
        stored = IniFile(SettingsFileName).readString(Section, Key, QString());
    } catch (const KmrError &) {
        // An unreadable settings file is told about by the windows that need it; the
        // language comes from the locale then.
    }
    if (const auto language = LanguageFromKey(stored))
        return *language;
    return LanguageFromLocaleName(localeName.isEmpty() ? QLocale::system().name() : localeName);
}

void StoreLanguage(Language language)
{
    IniFile(SettingsFileName).writeString(Section, Key, LanguageKey(language));
}

int ApplyLanguage(Language language, const QString &folder)
{
    Applied &state = applied();
    for (const auto &translator : state.translators)
        QCoreApplication::removeTranslator(translator.get());
    state.translators.clear();
    if (state.qtTexts)
        QCoreApplication::removeTranslator(state.qtTexts.get());
    state.qtTexts.reset();
    state.language = language;
    // Qt tells the windows itself only once its event loop runs; the start and tests come
    // earlier. The windows get one change each: Qt merges the posted events.
    const auto tellWindows = qScopeGuard([] {
        if (QCoreApplication *application = QCoreApplication::instance()) {
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(application, &change);
        }
    });
    if (language == Language::Original)
        return 0;

    const QString suffix = LanguageFileSuffix(language);
    const QDir dir(folder);
    const QStringList files
        = dir.entryList({ QStringLiteral("*_%1.qm").arg(suffix) }, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(dir.filePath(file)) && QCoreApplication::installTranslator(translator.get()))
            state.translators.push_back(std::move(translator));
    }
    // Qt's own texts follow where the system has them (they are English without).
    if (language == Language::Chinese) {
        auto qtTexts = std::make_unique<QTranslator>();
        if (qtTexts->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            && QCoreApplication::installTranslator(qtTexts.get()))
            state.qtTexts = std::move(qtTexts);
    }
    return static_cast<int>(state.translators.size());
}

Language AppliedLanguage()
{
    return applied().language;
}
