#include "measure/MeasurementRecord.h"
#include "measure/forms/Harmonic.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
const QString Prefix(21, QLatin1Char(' '));

class HarmonicFormTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InitMeasurement();
        form = std::make_unique<THarmonicForm>();
    }
    void TearDown() override
    {
        form.reset();
        InitMeasurement();
    }

    std::unique_ptr<THarmonicForm> form;
};
} // namespace

TEST_F(HarmonicFormTest, WindowGridAndTimerAsCreated)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("HarmonicForm"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("THD TABLE"));
    EXPECT_EQ(form->size(), QSize(648, 500));
    EXPECT_FALSE(form->isVisible());

    QTableWidget *grid = form->findChild<QTableWidget *>(QStringLiteral("p1_h"));
    ASSERT_EQ(grid, form->p1_h);
    EXPECT_EQ(grid->geometry(), form->rect());
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->rowCount(), 51) << "51 data rows under the fixed header row";
    EXPECT_EQ(grid->horizontalHeader()->height(), 20);
    for (int r = 0; r < grid->rowCount(); ++r)
        ASSERT_EQ(grid->rowHeight(r), 20) << r;
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid->columnWidth(c), (648 - 10) / 5) << c;

    QTimer *timer = form->findChild<QTimer *>(QStringLiteral("Timer1"));
    ASSERT_EQ(timer, form->Timer1);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive()) << "the refresh runs from creation, shown or not";
}

TEST_F(HarmonicFormTest, HeaderAndOrderColumnAreFixedTexts)
{
    const QString blanks(13, QLatin1Char(' '));
    const char *headers[] = { "N   ", "Vol (rms)", "Vol (content)", "Amp (rms)", "Amp (content)" };
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(form->Cells(c, 0), blanks + headers[c]) << c;
    for (int n = 0; n <= 50; ++n) {
        EXPECT_EQ(form->Cells(0, n + 1), Prefix + QString::number(n)) << n;
        // The order column cannot be selected or edited; the value cells cannot be edited.
        EXPECT_FALSE(form->p1_h->item(n, 0)->flags() & Qt::ItemIsSelectable);
        EXPECT_FALSE(form->p1_h->item(n, 2)->flags() & Qt::ItemIsEditable);
    }
    EXPECT_EQ(form->p1_h->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(HarmonicFormTest, CreationWritesTheRawVoltageAmplitudes)
{
    // Before the first refresh the voltage column holds the amplitudes as they are.
    form.reset();
    Measurement.UHarm[1] = 311.127f;
    form = std::make_unique<THarmonicForm>();
    EXPECT_EQ(form->Cells(1, 2), Prefix + "311.127014160156");
    EXPECT_EQ(form->Cells(1, 1), Prefix + "0");
}

TEST_F(HarmonicFormTest, ShowingRefreshesEveryRow)
{
    Measurement.UHarm[0] = 10.0f;
    Measurement.UHarm[1] = 311.127f;
    Measurement.IHarm[1] = 5.0f;
    Measurement.IHarm[3] = 0.5f;
    form->show();
    struct Case
    {
        int col, row;
        const char *text;
    } cases[] = {
        { 1, 1, "7.07" },
        { 2, 1, "3.21%" },
        { 1, 2, "220.00" },
        { 2, 2, "100.00%" },
        { 3, 2, "3.5355" },
        { 4, 2, "100.00%" },
        { 3, 4, "0.3536" },
        { 4, 4, "10.00%" },
        { 1, 51, "0.00" },
        { 2, 51, "0.00%" },
        { 3, 51, "0.00" },
        { 4, 51, "0.00%" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(form->Cells(c.col, c.row), Prefix + c.text) << c.col << ", " << c.row;
    form->hide();
}

TEST_F(HarmonicFormTest, TimerFollowsTheRecordWhileHidden)
{
    QSignalSpy ticks(form->Timer1, &QTimer::timeout);
    Measurement.UHarm[1] = 311.127f;
    // The next tick rewrites the cells from the record, without the window being shown.
    QTRY_COMPARE_WITH_TIMEOUT(form->Cells(1, 2), Prefix + "220.00", 3000);
    EXPECT_GE(ticks.count(), 1);

    Measurement.UHarm[1] = 0.0f;
    QTRY_COMPARE_WITH_TIMEOUT(form->Cells(1, 2), Prefix + "0.00", 3000);
}
