// The reports' own texts follow the language chosen when they are drawn: English pages carry
// no Chinese, Chinese pages carry Chinese captions, and Original pages the texts as they were.

#include "ComplianceAssessments.h"
#include "PageImage.h"

#include "base/Language.h"
#include "report/ComplianceReport.h"
#include "report/MeasurementReport.h"
#include "report/PrintInfo.h"
#include "report/RecordReport.h"

#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

namespace {

bool hasCjk(const QString &text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return cjk.match(text).hasMatch();
}

// Print information in plain ASCII, so that every CJK character on a page is the report's own.
PrintInfo asciiInfo()
{
    PrintInfo info;
    info.projectName = QStringLiteral("Pump 7");
    info.company = QStringLiteral("Acme");
    info.conner = QStringLiteral("Lee");
    info.date = QStringLiteral("2026-03-14");
    info.temperature = QStringLiteral("21");
    info.celsius = false;
    return info;
}

RecordReportInput asciiRecord()
{
    RecordReportInput input;
    for (QString &caption : input.captions)
        caption = QStringLiteral("Vol");
    input.stepText = QStringLiteral("Sampling step: 3S");
    input.startText = QStringLiteral("Start: 2026-03-14 09:00:00");
    input.endText = QStringLiteral("End: 2026-03-14 10:00:00");
    input.lengthText = QStringLiteral("Length: 1200");
    return input;
}

struct Page
{
    const char *name;
    std::function<void(QPainter &, PageTexts &)> draw;
};

const Page Pages[] = {
    { "measurement page",
        [](QPainter &p, PageTexts &texts) {
            MeasurementRecord record {};
            DrawMeasurementPage(p, A4Short, A4Long, record, asciiInfo(), &texts);
        } },
    { "measurement preview",
        [](QPainter &p, PageTexts &texts) {
            MeasurementRecord record {};
            DrawMeasurementPreview(p, 700, MeasurementPreviewHeight(700), record, asciiInfo(), &texts);
        } },
    { "record page",
        [](QPainter &p, PageTexts &texts) {
            DrawRecordPage(p, A4Long, A4Short, asciiRecord(), asciiInfo(), &texts);
        } },
    { "record preview",
        [](QPainter &p, PageTexts &texts) {
            DrawRecordPreview(p, 700, RecordPreviewHeight(700), asciiRecord(), asciiInfo(), &texts);
        } },
    { "compliance page",
        [](QPainter &p, PageTexts &texts) {
            DrawCompliancePage(p, A4Short, A4Long, SeventhOverClassD(), asciiInfo(), &texts);
        } },
    { "compliance preview",
        [](QPainter &p, PageTexts &texts) {
            DrawCompliancePreview(
                p, 700, CompliancePreviewHeight(700), SeventhOverClassD(), asciiInfo(), &texts);
        } },
};

PageTexts textsOf(const Page &page)
{
    QImage image = PageImage(A4Long, A4Long);
    QPainter painter(&image);
    PageTexts texts;
    page.draw(painter, texts);
    return texts;
}

class ReportLanguage : public ::testing::Test
{
protected:
    void TearDown() override { ApplyLanguage(Language::Original); }
};

} // namespace

TEST_F(ReportLanguage, EnglishPagesCarryNoChineseAndChinesePagesDo)
{
    ASSERT_GT(ApplyLanguage(Language::English), 0);
    for (const Page &page : Pages) {
        SCOPED_TRACE(page.name);
        const PageTexts texts = textsOf(page);
        ASSERT_FALSE(texts.empty());
        for (const PageText &t : texts)
            EXPECT_FALSE(hasCjk(t.text)) << qPrintable(t.text);
    }

    ASSERT_GT(ApplyLanguage(Language::Chinese), 0);
    for (const Page &page : Pages) {
        SCOPED_TRACE(page.name);
        const PageTexts texts = textsOf(page);
        const auto chinese
            = std::count_if(texts.begin(), texts.end(), [](const PageText &t) { return hasCjk(t.text); });
        // Title, page mark, captions and the footer's labels at least.
        EXPECT_GE(chinese, 5);
    }
}

TEST_F(ReportLanguage, BackToOriginalThePagesAreDrawnAsBeforeAnyLanguageWasChosen)
{
    ApplyLanguage(Language::Original);
    std::vector<QStringList> before;
    for (const Page &page : Pages) {
        QStringList shown;
        for (const PageText &t : textsOf(page))
            shown << t.text;
        before.push_back(shown);
    }
    ASSERT_GT(ApplyLanguage(Language::Chinese), 0);
    ApplyLanguage(Language::Original);
    for (size_t k = 0; k < std::size(Pages); ++k) {
        SCOPED_TRACE(Pages[k].name);
        QStringList shown;
        for (const PageText &t : textsOf(Pages[k]))
            shown << t.text;
        EXPECT_EQ(shown, before[k]);
        // The mixed texts of the original program, full-width colons and all.
        EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), hasCjk));
    }
}
