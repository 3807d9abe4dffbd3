#include "measure/HandbookFile.h"

#include <gtest/gtest.h>

TEST(HandbookFile, ChineseOpensTheChineseHandbookEveryOtherLanguageTheEnglishOne)
{
    const struct
    {
        Language language;
        const char *file;
    } cases[] = {
        { Language::Original, "PdfDoc/Handbook.pdf" },
        { Language::English, "PdfDoc/Handbook.pdf" },
        { Language::Chinese, "PdfDoc/Handbook_zh_CN.pdf" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(HandbookFileFor(c.language), QLatin1String(c.file)) << qPrintable(LanguageKey(c.language));
}
