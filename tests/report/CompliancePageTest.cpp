// The harmonic compliance page drawn on images: what it says about the assessment, the failing
// rows it marks, the verdict in its colour and the chart in its place.

#include "ComplianceAssessments.h"
#include "PageImage.h"

#include "measure/ComplianceView.h"
#include "report/ComplianceReport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {
bool Drawn(const PageTexts &texts, const QString &text)
{
    return std::any_of(texts.begin(), texts.end(), [&](const PageText &t) { return t.text == text; });
}

const PageText *Find(const PageTexts &texts, const QString &text)
{
    const auto it
        = std::find_if(texts.begin(), texts.end(), [&](const PageText &t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
}

struct DrawnPage
{
    QImage image;
    PageTexts texts;
    CompliancePageLayout layout;
};

DrawnPage Draw(const EmissionAssessment &a, int width = A4Short, int height = A4Long)
{
    DrawnPage page { PageImage(width, height), {}, CompliancePageLayoutFor(width, height) };
    QPainter painter(&page.image);
    DrawCompliancePage(painter, width, height, a, PrintInfo(), &page.texts);
    return page;
}
} // namespace

TEST(CompliancePage, SaysWhichPowerAndPeriodTheVerdictRestsOn)
{
    EmissionAssessment measured = SeventhOverClassD();
    EmissionAssessment rated = SteadyAssessment(EmissionClass::D, 250, 1.1, { { 3, 0.4 } }, 300.0);
    EmissionAssessment above600 = SteadyAssessment(EmissionClass::D, 900, 4.0, { { 3, 0.4 } });
    const struct
    {
        const char *name;
        const EmissionAssessment &a;
        const char *cls, *power, *period;
    } cases[] = {
        { "measured", measured, "Emission class: D", "Power used: 250.0 W (measured)",
            "Observation period: 0:00:59, 60 measurement(s)" },
        { "rated", rated, "Emission class: D", "Power used: 300.0 W (rated)",
            "Observation period: 0:00:59, 60 measurement(s)" },
        { "class D above 600 W", above600, "Emission class: D",
            "Power used: 900.0 W (measured), class A limits above 600 W",
            "Observation period: 0:00:59, 60 measurement(s)" },
        { "nothing measured", EmissionAssessment(), "Emission class: A", "Power used: —",
            "Observation period: 0:00:00, 0 measurement(s)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComplianceClassText(c.a), QString::fromUtf8(c.cls));
        EXPECT_EQ(CompliancePowerText(c.a), QString::fromUtf8(c.power));
        EXPECT_EQ(CompliancePeriodText(c.a), QString::fromUtf8(c.period));
        const DrawnPage page = Draw(c.a);
        for (const char *text : { c.cls, c.power, c.period })
            EXPECT_TRUE(Drawn(page.texts, QString::fromUtf8(text))) << text;
    }
}

TEST(CompliancePage, FailingRowsAreFilledAndTheVerdictIsInItsColour)
{
    const EmissionAssessment a = SeventhOverClassD();
    ASSERT_EQ(a.verdict, Verdict::Fail);
    ASSERT_EQ(a.worstOrder, 7);
    for (const auto &[width, height] : { std::pair { A4Short, A4Long }, std::pair { A4Long, A4Short } }) {
        SCOPED_TRACE(width > height ? "landscape" : "portrait");
        const DrawnPage page = Draw(a, width, height);
        const CompliancePageLayout &c = page.layout;
        const auto rowBox = [&](int order) {
            const int top = c.table.top() + (order - FirstAssessedOrder + 1) * c.rowHeight;
            return QRect(c.table.left() + 4, top + 4, c.table.width() - 8, c.rowHeight - 8);
        };
        const QColor failFill(255, 215, 210);
        EXPECT_FALSE(InkBox(page.image, rowBox(7), IsColor(failFill)).isNull()) << "order 7 fails";
        for (int order : { 3, 5, 6, 8, 40 })
            EXPECT_TRUE(InkBox(page.image, rowBox(order), IsColor(failFill)).isNull()) << "order " << order;

        // The row of order 7 reads as the window's row.
        const QStringList row = ComplianceRowTexts(a.orders[7 - FirstAssessedOrder]);
        for (const QString &text : row) {
            const PageText *t = Find(page.texts, text);
            ASSERT_NE(t, nullptr) << text.toStdString();
        }
        const PageText *fail = Find(page.texts, QStringLiteral("FAIL"));
        ASSERT_NE(fail, nullptr);
        EXPECT_TRUE(rowBox(7).adjusted(-4, -4, 4, 4).contains(fail->rect.center()));

        // The headline, large and red, with the reason naming the order under it.
        const PageText *headline = Find(page.texts, QStringLiteral("FAIL (class D)"));
        ASSERT_NE(headline, nullptr);
        EXPECT_TRUE(c.verdictBox.contains(headline->rect));
        EXPECT_FALSE(InkBox(page.image, headline->rect, IsColor(VerdictColour(Verdict::Fail))).isNull());
        EXPECT_GT(headline->rect.height(), 2 * Find(page.texts, ComplianceClassText(a))->rect.height());
        const bool reasonShown = std::any_of(page.texts.begin(), page.texts.end(), [&](const PageText &t) {
            return t.text.startsWith(QStringLiteral("order 7:")) && c.verdictBox.contains(t.rect);
        });
        EXPECT_TRUE(reasonShown);

        // The chart: the red bar of order 7 within the chart's box, nothing red outside the
        // chart, the headline and the filled row.
        EXPECT_FALSE(InkBox(page.image, c.chart, IsColor(VerdictColour(Verdict::Fail))).isNull());
        EXPECT_TRUE(Drawn(page.texts, PreComplianceNote())
            || std::any_of(page.texts.begin(), page.texts.end(), [](const PageText &t) {
                   return PreComplianceNote().startsWith(t.text) && !t.text.isEmpty();
               }));
    }
}

TEST(CompliancePage, APassingAssessmentFillsNoRow)
{
    const EmissionAssessment a = SteadyAssessment(EmissionClass::D, 250, 1.1, { { 3, 0.4 }, { 7, 0.1 } });
    ASSERT_EQ(a.verdict, Verdict::Pass);
    const DrawnPage page = Draw(a);
    EXPECT_TRUE(InkBox(page.image, page.layout.table, IsColor(QColor(255, 215, 210))).isNull());
    const PageText *headline = Find(page.texts, QStringLiteral("PASS (class D)"));
    ASSERT_NE(headline, nullptr);
    EXPECT_FALSE(InkBox(page.image, headline->rect, IsColor(VerdictColour(Verdict::Pass))).isNull());
}
