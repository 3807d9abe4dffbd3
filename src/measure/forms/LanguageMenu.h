#pragma once

// Option > Language of the main window: Original, English and 中文, the applied one checked.
// Choosing one applies it at once to every window and stores it for the next start.

class QAction;
class QMenu;

// Adds the submenu "Language" (objectName Language1Menu, its item Language1) with the items
// LanguageOriginal1, LanguageEnglish1 and LanguageChinese1 to `menu`, followed by a separator,
// in front of `before`.
QMenu *AddLanguageMenu(QMenu *menu, QAction *before);
