#include "measure/HandbookFile.h"

QString HandbookFileFor(Language language)
{
    // Original mixes both languages; its handbook has always been the English one.
    return language == Language::Chinese ? QStringLiteral("PdfDoc/Handbook_zh_CN.pdf")
                                         : QStringLiteral("PdfDoc/Handbook.pdf");
}
