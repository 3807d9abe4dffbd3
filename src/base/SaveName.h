#pragma once

// The save-file question the windows share: a name through the dialog seam, and for an
// existing file the "File exists" question before it is replaced.

#include <QString>

// `filter` in the dialog seam's "Description(.ext)|*.ext" form. Empty when the user cancels
// either question. A name typed without an extension gets the filter's.
QString AskSaveFileName(const QString &filter, const QString &proposed);

// `fileName` with the extension of the filter's first pattern ("*.vqm") added when its last
// part has none, so that the file shows in the Open dialog of its kind. A name with an
// extension of its own, a name of something that exists (a file picked in the dialog, a
// folder, a device), an empty name and a filter without one ("*.*") are left as they are.
QString WithFilterExtension(const QString &fileName, const QString &filter);

// The filter of CSV exports.
QString CsvFileFilter();
