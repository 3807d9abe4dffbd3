#pragma once

// Builds a menu bar and a tool bar from the plain tables of measure/MainControls.h. Every
// item and button gets its component name as objectName and runs its command when chosen.

#include "measure/MainControls.h"

#include <QHash>
#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

class QMenuBar;
class QObject;
class QToolBar;

using CommandRunner = std::function<void(MainCommand)>;

// Returns the menus, submenus and items by component name; a submenu is found under its
// item's name (its QAction) and under that name with "Menu" behind it (the QMenu).
QHash<QString, QObject *> BuildMenus(
    QMenuBar *bar, std::span<const MenuEntry> entries, const CommandRunner &run);

// Returns the buttons by number.
QHash<int, QObject *> BuildToolButtons(
    QToolBar *bar, std::span<const ToolButtonEntry> entries, const CommandRunner &run);

// Points each member at the object `made` holds under its name or number (null when there is
// none or it is of another type).
template <typename T, typename Key>
void BindMembers(
    const QHash<Key, QObject *> &made, std::initializer_list<std::pair<T **, const char *>> members)
{
    static_assert(std::is_same_v<Key, QString>);
    for (const auto &[member, name] : members)
        *member = qobject_cast<T *>(made.value(QString::fromLatin1(name)));
}
template <typename T>
void BindMembers(const QHash<int, QObject *> &made, std::initializer_list<std::pair<T **, int>> members)
{
    for (const auto &[member, number] : members)
        *member = qobject_cast<T *>(made.value(number));
}
