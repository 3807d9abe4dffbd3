// The print window's "Print reference traces" box: the measurement report with the reference
// measurement's traces, in the preview and on the printed page.

#include "ReportFormsFixture.h"

#include "measure/PaneOverlays.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {
const QColor Grey(128, 128, 128);
const QColor Green(0, 128, 0);

MeasurementRecord withWaves(int peak)
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k)
        record.UWave[k] = uint16_t(2047 + peak * ((k % 64) - 32) / 32);
    record.SampleCount = WaveSamples;
    record.UHarm[1] = float(peak);
    return record;
}

int countOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

class PrintReference : public ReportForms
{
protected:
    void SetUp() override
    {
        ReportForms::SetUp();
        ReportKind = 0;
        Measurement = withWaves(300);
    }

    QImage previewPage() const
    {
        return PrinterForm->PreviewBitmap.copy(QRect(QPoint(0, 0), PrinterForm->image1->size()));
    }
    QImage printed()
    {
        QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
        return printer.page;
    }

    const MeasurementRecord reference = withWaves(900);
};
} // namespace

TEST_F(PrintReference, TheBoxIsOffAtFirstAndEnabledOnlyWhileThereIsAReference)
{
    QCheckBox *box = PrinterForm->PrintReference1;
    ASSERT_TRUE(box);
    EXPECT_EQ(box->objectName(), "PrintReference1");
    EXPECT_EQ(box->text(), "Print reference traces");
    EXPECT_FALSE(box->isChecked());

    std::optional<MeasurementRecord> held;
    PrinterForm->ReferenceSource = [&held] { return held; };
    PrinterForm->show();
    EXPECT_FALSE(box->isEnabled());
    PrinterForm->hide();
    held = reference;
    PrinterForm->show();
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->isVisible());

    // The other reports have no reference traces to print.
    PrinterForm->hide();
    ReportKind = 1;
    PrinterForm->show();
    EXPECT_FALSE(box->isVisible());
}

TEST_F(PrintReference, CheckedTheReportDrawsTheReferenceElseItIsAsWithoutOne)
{
    // Today's report: no reference anywhere.
    PrinterForm->FormCreate();
    const QImage todaysPreview = previewPage();
    const QImage todaysPage = printed();
    ASSERT_EQ(countOf(todaysPage, ReferenceShade(Green)), 0);
    // The preview's smoothed lines have pixels in every grey: the reference is what its
    // lighter shade adds in the wave box.
    const QRect waveBox(51, 81, 349, 146);
    const int todaysShade = countOf(todaysPreview.copy(waveBox), ReferenceShade(Grey));

    // With a reference offered but the box off, preview and page stay as they were.
    PrinterForm->ReferenceSource = [this] { return std::optional<MeasurementRecord>(reference); };
    PrinterForm->FormCreate();
    EXPECT_TRUE(previewPage() == todaysPreview);
    EXPECT_TRUE(printed() == todaysPage);

    // Checked: the preview is built again with the reference's traces, and so is the page.
    PrinterForm->PrintReference1->setChecked(true);
    const QImage withReference = previewPage();
    EXPECT_GT(countOf(withReference.copy(waveBox), ReferenceShade(Grey)), todaysShade + 50)
        << "dashes in the preview's wave box";
    EXPECT_GT(countOf(printed(), ReferenceShade(Green)), 50);

    // The reference gone: nothing of it is drawn even with the box still checked.
    PrinterForm->ReferenceSource = [] { return std::optional<MeasurementRecord>(); };
    PrinterForm->FormCreate();
    EXPECT_FALSE(PrinterForm->PrintReference1->isEnabled());
    EXPECT_TRUE(previewPage() == todaysPreview);
    EXPECT_TRUE(printed() == todaysPage);
}
