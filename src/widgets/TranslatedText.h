#pragma once

// Texts that follow the language while they are shown: the object keeps the source text
// (and the arguments of its %1.. places) beside the translation it shows, so a change of
// language shows the same text again in the new language. A text another call put in its
// place since is left alone.

#include <QObject>
#include <QStringList>

// Sets the property (text, title, toolTip, windowTitle ...) of `target` to the translation
// of `source` in `context`, with `arguments` in its places, and remembers it.
void SetTranslatedText(QObject *target, const char *property, const char *context, const char *source,
    const QStringList &arguments = {});

// Shows every remembered text of `root` and of the objects under it in the current language.
void RetranslateTexts(QObject *root);
