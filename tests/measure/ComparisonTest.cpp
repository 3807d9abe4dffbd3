#include "measure/Comparison.h"

#include "measure/MeasurementCsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
MeasurementRecord startUp()
{
    InitMeasurement();
    return Measurement;
}

// A pair whose differences are worked out by hand in the table below.
struct Pair
{
    MeasurementRecord live = startUp();
    MeasurementRecord reference = startUp();
    Pair()
    {
        live.URMS = 230.5f;
        reference.URMS = 220.0f;
        live.IPA = -30.0f;
        reference.IPA = -40.0f;
        live.VTHD = 0.05f;
        reference.VTHD = 0.04f;
        live.PQ = -230.0f;
        reference.PQ = 0.0f;
        live.KWH = std::numeric_limits<float>::quiet_NaN();
        reference.KWH = 1.0f;
        live.UHarm[3] = 10.0f;
        reference.UHarm[3] = 5.0f;
        live.IHarm[3] = 0.5f;
        reference.IHarm[3] = 0.0f;
        live.IHarm[50] = 0.25f;
        reference.IHarm[50] = 1.0f;
    }
};

const ComparisonRow &rowNamed(const std::vector<ComparisonRow> &rows, const QString &quantity)
{
    for (const ComparisonRow &row : rows)
        if (row.quantity == quantity)
            return row;
    static const ComparisonRow none;
    ADD_FAILURE() << "no row " << quantity.toStdString();
    return none;
}
} // namespace

TEST(Comparison, RowsAreTheFifteenValuesThenVoltageAndCurrentOrdersOneToFifty)
{
    const std::vector<ComparisonRow> rows = CompareMeasurements(startUp(), startUp());
    ASSERT_EQ(rows.size(), size_t(ComparisonRowCount));
    for (size_t f = 0; f < ValueFields.size(); ++f)
        EXPECT_EQ(rows[f].quantity, QString::fromLatin1(ValueFields[f].name));
    EXPECT_EQ(rows[15].quantity, QStringLiteral("UHarm 1"));
    EXPECT_EQ(rows[15].unit, QStringLiteral("V"));
    EXPECT_EQ(rows[64].quantity, QStringLiteral("UHarm 50"));
    EXPECT_EQ(rows[65].quantity, QStringLiteral("IHarm 1"));
    EXPECT_EQ(rows[65].unit, QStringLiteral("A"));
    EXPECT_EQ(rows.back().quantity, QStringLiteral("IHarm 50"));
    EXPECT_EQ(rowNamed(rows, QStringLiteral("VTHD")).unit, QStringLiteral("%"));
}

TEST(Comparison, DifferencesAndPercentsEqualThoseWorkedOutByHand)
{
    const Pair pair;
    const std::vector<ComparisonRow> rows = CompareMeasurements(pair.live, pair.reference);
    struct Case
    {
        const char *quantity;
        double live, reference, difference;
        double percent; // NaN: none
        const char *liveText, *referenceText, *differenceText, *percentText;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const double rms = 1.41421; // the harmonic table's divisor
    const Case cases[] = {
        // 10.5 / 220 = 4.7727 %
        { "URMS", 230.5, 220.0, 10.5, 10.5 / 220.0 * 100.0, "230.5", "220.0", "10.5", "4.77" },
        // a rise from -40 to -30 degrees is a rise of a quarter of the reference's size
        { "IPA", -30.0, -40.0, 10.0, 25.0, "-30.0", "-40.0", "10.0", "25.00" },
        // THD in percent: 5 against 4, one point more, 25 % more
        { "VTHD", 5.0, 4.0, 1.0, 25.0, "5.0", "4.0", "1.0", "25.00" },
        { "PQ", -230.0, 0.0, -230.0, none, "-230.0", "0.0", "-230.0", "reference is 0" },
        { "KWH", none, 1.0, none, none, "NAN", "1.0", "NAN", "---" },
        // harmonics as RMS values: 10 / 1.41421 = 7.0711 against 5 / 1.41421 = 3.5355
        { "UHarm 3", 10.0 / rms, 5.0 / rms, 5.0 / rms, 100.0, "7.07", "3.54", "3.54", "100.00" },
        { "IHarm 3", 0.5 / rms, 0.0, 0.5 / rms, none, "0.3536", "0.00", "0.3536", "reference is 0" },
        { "IHarm 50", 0.25 / rms, 1.0 / rms, -0.75 / rms, -75.0, "0.1768", "0.7071", "-0.5303", "-75.00" },
        { "UF", 0.0, 0.0, 0.0, none, "0.00", "0.00", "0.00", "reference is 0" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.quantity);
        const ComparisonRow &row = rowNamed(rows, QString::fromLatin1(c.quantity));
        const auto same = [](double actual, double expected) {
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(actual)) << actual;
            else
                EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::abs(expected)));
        };
        same(row.live, c.live);
        same(row.reference, c.reference);
        same(row.difference, c.difference);
        EXPECT_EQ(row.percent.has_value(), !std::isnan(c.percent));
        if (row.percent && !std::isnan(c.percent))
            same(*row.percent, c.percent);
        EXPECT_EQ(row.liveText, QString::fromLatin1(c.liveText));
        EXPECT_EQ(row.referenceText, QString::fromLatin1(c.referenceText));
        EXPECT_EQ(row.differenceText, QString::fromLatin1(c.differenceText));
        EXPECT_EQ(row.percentText, QString::fromLatin1(c.percentText));
    }
}

TEST(Comparison, AZeroReferenceSaysSoEverywhereWithoutInfOrNan)
{
    // Against the start-up record every reference value, the fundamentals included, is 0.
    MeasurementRecord live = startUp();
    live.URMS = 230.0f;
    live.UHarm[1] = 325.0f;
    live.IHarm[1] = 2.0f;
    const std::vector<ComparisonRow> rows = CompareMeasurements(live, startUp());
    for (const ComparisonRow &row : rows) {
        EXPECT_FALSE(row.percent.has_value()) << row.quantity.toStdString();
        EXPECT_EQ(row.percentText, ZeroReferenceText) << row.quantity.toStdString();
    }
    const QStringList header = ComparisonHeader(QStringLiteral("Live"), QStringLiteral("Reference"));
    for (const QString &text : { ComparisonText(rows, header), ComparisonTabbed(rows, header),
             ComparisonCsv(rows, header), QString::fromUtf8(ComparisonJson(rows, {}, {})) }) {
        EXPECT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }
}

TEST(ComparisonOutput, CsvCarriesTheNumbersInFullAndLeavesAMissingPercentEmpty)
{
    const Pair pair;
    const std::vector<ComparisonRow> rows = CompareMeasurements(pair.live, pair.reference);
    const QStringList lines
        = ComparisonCsv(rows, ComparisonHeader(QStringLiteral("a.vqm"), QStringLiteral("b, c.vqm")))
              .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), ComparisonRowCount + 1);
    EXPECT_EQ(lines[0], QStringLiteral("Quantity,Unit,a.vqm,\"b, c.vqm\",Difference,Difference (%)"));
    EXPECT_EQ(lines[1], QStringLiteral("URMS,V,230.5,220,10.5,4.772727273"));
    EXPECT_EQ(lines[11], QStringLiteral("VTHD,%,5,4,1,25"));
    EXPECT_EQ(lines[10], QStringLiteral("PQ,var,-230,0,-230,"));
    EXPECT_EQ(lines[15], QStringLiteral("KWH,kWh,nan,1,nan,"));
}

TEST(ComparisonOutput, JsonHasNullForAMissingPercentWithTheReason)
{
    const Pair pair;
    const std::vector<ComparisonRow> rows = CompareMeasurements(pair.live, pair.reference);
    const QJsonObject root
        = QJsonDocument::fromJson(ComparisonJson(rows, QStringLiteral("a.vqm"), QStringLiteral("b.vqm")))
              .object();
    EXPECT_EQ(root.value(QStringLiteral("live")).toString(), QStringLiteral("a.vqm"));
    EXPECT_EQ(root.value(QStringLiteral("reference")).toString(), QStringLiteral("b.vqm"));
    const QJsonArray list = root.value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(list.size(), ComparisonRowCount);
    const QJsonObject urms = list[0].toObject();
    EXPECT_EQ(urms.value(QStringLiteral("quantity")).toString(), QStringLiteral("URMS"));
    EXPECT_DOUBLE_EQ(urms.value(QStringLiteral("difference")).toDouble(), 10.5);
    EXPECT_NEAR(urms.value(QStringLiteral("percent")).toDouble(), 4.7727272727, 1e-9);
    EXPECT_FALSE(urms.contains(QStringLiteral("note")));
    const QJsonObject pq = list[9].toObject();
    EXPECT_TRUE(pq.value(QStringLiteral("percent")).isNull());
    EXPECT_EQ(pq.value(QStringLiteral("note")).toString(), ZeroReferenceText);
    const QJsonObject kwh = list[14].toObject();
    EXPECT_TRUE(kwh.value(QStringLiteral("live")).isNull());
    EXPECT_TRUE(kwh.value(QStringLiteral("difference")).isNull());
}

TEST(ComparisonOutput, TextColumnsLineUpAndTabbedTextHasOneCellPerTab)
{
    const Pair pair;
    const std::vector<ComparisonRow> rows = CompareMeasurements(pair.live, pair.reference);
    const QStringList header = ComparisonHeader(QStringLiteral("Live"), QStringLiteral("Reference"));
    const QStringList lines = ComparisonText(rows, header).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), ComparisonRowCount + 1);
    for (const QString &line : lines)
        EXPECT_EQ(line.size(), lines[0].size()) << line.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("URMS ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" 4.77")));

    const QStringList tabbed = ComparisonTabbed(rows, header).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(tabbed.size(), ComparisonRowCount + 1);
    EXPECT_EQ(tabbed[0], header.join(QLatin1Char('\t')));
    EXPECT_EQ(tabbed[1], QStringLiteral("URMS\tV\t230.5\t220.0\t10.5\t4.77"));
}

TEST(ComparisonOutput, SavedCsvIsTheCsvAndAFailedWriteThrows)
{
    const Pair pair;
    const std::vector<ComparisonRow> rows = CompareMeasurements(pair.live, pair.reference);
    const QStringList header = ComparisonHeader(QStringLiteral("Live"), QStringLiteral("Reference"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("cmp.csv"));
    SaveComparisonCsv(rows, header, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), ComparisonCsv(rows, header));
    EXPECT_ANY_THROW(SaveComparisonCsv(rows, header, dir.filePath(QStringLiteral("missing/cmp.csv"))));
}
