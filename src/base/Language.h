#pragma once

// The language of the program's texts. "Original" shows the texts as the program has always
// had them (English and Chinese mixed); English and Chinese load one translation per source
// folder. The choice lives in SysSet.ini, [Language] Choice; without a valid stored choice the
// locale decides.

#include <QString>

#include <optional>

enum class Language { Original, English, Chinese };

// zh* → Chinese, en* → English; anything else (C and POSIX included) → Original.
Language LanguageFromLocaleName(const QString &localeName);

// The stored word of a choice ("original", "english", "chinese") and back; an unknown word
// (any case is taken) has no language.
QString LanguageKey(Language language);
std::optional<Language> LanguageFromKey(const QString &key);

// A language's caption in the language menu: English and 中文 by their own names, whatever
// the language shown; "Original" in the language shown.
QString LanguageCaption(Language language);

// The suffix of a language's translation files ("en", "zh_CN"); empty for Original.
QString LanguageFileSuffix(Language language);

// The choice stored in the settings file, or, when it is missing or unknown, the one of
// `localeName` (the system's locale name when empty); also when the file cannot be read.
Language StoredLanguage(const QString &localeName = QString());
// Throws EInOutError when the settings file cannot be written.
void StoreLanguage(Language language);

// Replaces the translators this function installed before by one per translation file of
// `language` found in `folder` (`<area>_<suffix>.qm`), and posts every window a LanguageChange
// event (also before the event loop runs). Original installs none. Returns how many it
// installed.
int ApplyLanguage(Language language, const QString &folder = QStringLiteral(":/translations"));

// The language ApplyLanguage applied last (Original before the first call).
Language AppliedLanguage();
