#include "measure/forms/MenuBuilder.h"

#include "appearance/Pictures.h"
#include "widgets/TranslatedText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

QHash<QString, QObject *> BuildMenus(
    QMenuBar *bar, std::span<const MenuEntry> entries, const CommandRunner &run)
{
    QHash<QString, QObject *> made;
    QMenu *menu = nullptr;
    QMenu *top = nullptr;
    for (const MenuEntry &entry : entries) {
        const QString name = QString::fromLatin1(entry.name);
        // Captions are translated as the window's own texts and follow the language.
        const auto caption = [&entry](QObject *target, const char *property = "text") {
            SetTranslatedText(target, property, "TMainForm", entry.caption);
        };
        switch (entry.kind) {
        case MenuEntry::Menu:
            menu = top = bar->addMenu(QString());
            caption(menu->menuAction());
            menu->setObjectName(name);
            made.insert(name, menu);
            break;
        case MenuEntry::Submenu:
            menu = top->addMenu(QString());
            caption(menu->menuAction());
            menu->setObjectName(name + QStringLiteral("Menu"));
            menu->menuAction()->setObjectName(name);
            made.insert(name + QStringLiteral("Menu"), menu);
            made.insert(name, menu->menuAction());
            break;
        case MenuEntry::End:
            menu = top;
            break;
        case MenuEntry::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Item: {
            QAction *action = menu->addAction(QString());
            caption(action);
            action->setObjectName(name);
            action->setEnabled(entry.enabled);
            action->setVisible(entry.visible);
            if (const char *keys = CommandShortcut(entry.command); *keys)
                action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
            QObject::connect(
                action, &QAction::triggered, action, [run, command = entry.command] { run(command); });
            made.insert(name, action);
            break;
        }
        }
    }
    return made;
}

QHash<int, QObject *> BuildToolButtons(
    QToolBar *bar, std::span<const ToolButtonEntry> entries, const CommandRunner &run)
{
    QHash<int, QObject *> made;
    for (const ToolButtonEntry &entry : entries) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("SeSkinSpeedButton%1").arg(entry.number));
        button->setIcon(ProgramIcon(
            QStringLiteral("Pictures/Tool/%1.png").arg(QLatin1String(entry.glyph)), ToolGlyphSize));
        SetTranslatedText(button, "toolTip", "TMainForm", entry.hint);
        SetTranslatedText(button, "accessibleName", "TMainForm", entry.hint);
        button->setAutoRaise(true);
        button->setEnabled(entry.enabled);
        bar->addWidget(button);
        if (entry.dividerAfter)
            bar->addSeparator();
        QObject::connect(
            button, &QToolButton::clicked, button, [run, command = entry.command] { run(command); });
        made.insert(entry.number, button);
    }
    return made;
}
