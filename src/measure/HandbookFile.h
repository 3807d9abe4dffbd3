#pragma once

// Which rendering of the user handbook the Help menu opens: the Chinese one while the program
// speaks Chinese, the English one in every other language.

#include "base/Language.h"

#include <QString>

// The handbook's path relative to the program's data folder, e.g. "PdfDoc/Handbook.pdf".
QString HandbookFileFor(Language language);
