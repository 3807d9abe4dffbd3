// How texts are fitted to their room: rows keep their places or close up, texts shrink and at
// worst are cut short, long texts wrap between words.

#include "PageImage.h"

#include "report/ReportPainting.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {
const QImage Device = PageImage(10, 10, 600);

QFont font(double points)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    return f;
}

int width(const QString &text, double points = 8.0)
{
    return QFontMetrics(font(points), &Device).horizontalAdvance(text);
}
} // namespace

TEST(TextFitting, ARowKeepsItsPlacesWhereItFitsAndClosesUpWhereNot)
{
    const std::vector<RowText> row { { 100, "Time/DIV=20S" }, { 1000, "CH1/DIV=50" }, { 2000, "CH2/DIV=50" },
        { 3000, "CH3/DIV=50" } };
    const int gap = 30;
    const int last = width("CH3/DIV=50");
    const struct
    {
        const char *name;
        int right;
        std::vector<int> x; // -1: not at its place, checked below
    } cases[] = {
        { "room enough: every text at its place", 5000, { 100, 1000, 2000, 3000 } },
        { "the last runs past the end: it ends there, the others keep their places", 3000 + last - 100,
            { 100, 1000, 2000, 3000 - 100 } },
        { "two must move: they share the room after the last one kept evenly", 2200 + last,
            { 100, 1000, -1, -1 } },
    };
    for (const auto &c : cases) {
        const FittedRow fitted = FitRow(font(8), &Device, row, 0, c.right, gap, 6.0);
        EXPECT_EQ(fitted.points, 8.0) << c.name;
        ASSERT_EQ(fitted.x.size(), row.size()) << c.name;
        for (size_t i = 0; i < row.size(); ++i) {
            EXPECT_EQ(fitted.texts[qsizetype(i)], row[i].text) << c.name;
            if (c.x[i] >= 0) {
                EXPECT_EQ(fitted.x[i], c.x[i]) << c.name << " " << i;
            }
        }
        EXPECT_LE(fitted.x.back() + last, c.right) << c.name;
    }
    // Evenly: the two texts that moved stand as far apart as their places were, scaled.
    const FittedRow even = FitRow(font(8), &Device, row, 0, 2200 + last, gap, 6.0);
    EXPECT_EQ(even.x[3], 2200);
    EXPECT_LT(even.x[2], 2000);
    EXPECT_NEAR(even.x[2] - even.x[1], (even.x[3] - even.x[1]) / 2, 1);
}

TEST(TextFitting, ARowTooWideShrinksAndAtItsSmallestIsCutShort)
{
    const std::vector<RowText> row { { 0, "CH1: Apparent power" }, { 500, "CH2: Reactive power" },
        { 1000, "CH3: Temperature 1" } };
    const int gap = 30;
    int total = 2 * gap;
    for (const RowText &t : row)
        total += width(t.text);

    const FittedRow smaller = FitRow(font(8), &Device, row, 0, total * 7 / 8, gap, 6.0);
    EXPECT_LT(smaller.points, 8.0);
    EXPECT_GT(smaller.points, 6.0);
    EXPECT_EQ(smaller.texts, QStringList({ row[0].text, row[1].text, row[2].text }));
    for (int i = 0; i < 2; ++i)
        EXPECT_LE(smaller.x[size_t(i)] + width(row[size_t(i)].text, smaller.points) + gap,
            smaller.x[size_t(i) + 1]);

    const FittedRow cut = FitRow(font(8), &Device, row, 0, total / 3, gap, 6.0);
    EXPECT_EQ(cut.points, 6.0);
    int end = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(cut.texts[i].endsWith(QChar(0x2026))) << cut.texts[i].toStdString();
        EXPECT_GE(cut.x[size_t(i)], end);
        end = cut.x[size_t(i)] + width(cut.texts[i], 6.0) + gap;
    }
    EXPECT_LE(end - gap, total / 3);
}

TEST(TextFitting, ATextShrinksToItsWidthAndIsCutShortBelowTheSmallestSize)
{
    const QString text = QStringLiteral("Project Name：Pump station 7, hall B");
    const int full = width(text, 10);
    const struct
    {
        const char *name;
        int width;
        bool smaller, cut;
    } cases[] = {
        { "fits", full, false, false },
        { "nine tenths", full * 9 / 10, true, false },
        { "a third", full / 3, true, true },
    };
    for (const auto &c : cases) {
        const FittedText fitted = FitText(font(10), &Device, text, c.width, 6.0);
        EXPECT_EQ(fitted.points < 10.0, c.smaller) << c.name;
        EXPECT_EQ(fitted.text != text, c.cut) << c.name;
        EXPECT_GE(fitted.points, 6.0) << c.name;
        EXPECT_LE(width(fitted.text, fitted.points), c.width) << c.name;
    }
}

TEST(TextFitting, LongTextsWrapBetweenWords)
{
    const QString note = QStringLiteral("Icons were positive overflow and negative overflow flags");
    const QStringList lines = WrapText(font(8), &Device, note, width("Icons were positive overflow"));
    EXPECT_EQ(lines, QStringList({ "Icons were positive overflow", "and negative overflow flags" }));
    EXPECT_EQ(WrapText(font(8), &Device, note, 100000), QStringList({ note }));
    // A word longer than the line is cut short rather than left to run on.
    const QStringList cut = WrapText(font(8), &Device, QStringLiteral("Temperature"), width("Temp"));
    ASSERT_EQ(cut.size(), 1);
    EXPECT_LE(width(cut[0]), width("Temp"));
}
