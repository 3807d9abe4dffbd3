#include "measure/forms/LanguageMenu.h"

#include "base/Language.h"
#include "widgets/FormParts.h"
#include "widgets/TranslatedText.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

QMenu *AddLanguageMenu(QMenu *menu, QAction *before)
{
    auto *languages = new QMenu(menu);
    menu->insertMenu(before, languages);
    menu->insertSeparator(before);
    languages->setObjectName(QStringLiteral("Language1Menu"));
    languages->menuAction()->setObjectName(QStringLiteral("Language1"));
    SetTranslatedText(
        languages->menuAction(), "text", "TMainForm", QT_TRANSLATE_NOOP("TMainForm", "Language"));

    auto *group = new QActionGroup(languages);
    group->setExclusive(true);
    struct Item
    {
        Language language;
        const char *name;
    };
    for (const Item item :
        { Item { Language::Original, "LanguageOriginal1" }, Item { Language::English, "LanguageEnglish1" },
            Item { Language::Chinese, "LanguageChinese1" } }) {
        QAction *action = languages->addAction(LanguageCaption(item.language));
        action->setObjectName(QLatin1String(item.name));
        action->setCheckable(true);
        action->setChecked(AppliedLanguage() == item.language);
        group->addAction(action);
        if (item.language == Language::Original)
            SetTranslatedText(action, "text", "Language", "Original");
        QObject::connect(action, &QAction::triggered, action, [language = item.language] {
            if (language != AppliedLanguage())
                ApplyLanguage(language);
            ShowingErrors([language] { StoreLanguage(language); });
        });
    }
    return languages;
}
