#pragma once

// The save-file question the windows share: a name through the dialog seam, and for an
// existing file the "File exists" question before it is replaced.

#include <QString>

// `filter` in the dialog seam's "Description(.ext)|*.ext" form. Empty when the user cancels
// either question.
QString AskSaveFileName(const QString &filter, const QString &proposed);

// The filter of CSV exports.
QString CsvFileFilter();
