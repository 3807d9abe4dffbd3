#pragma once

// Builds a menu bar and a tool bar from the plain tables of measure/MainControls.h. Every
// item and button gets its component name as objectName and runs its command when chosen.

#include "measure/MainControls.h"

#include <QHash>
#include <QString>

#include <functional>

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
