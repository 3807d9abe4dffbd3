// The harmonic compliance window: reached from the main window's Option menu, it follows the
// measurements of continuous sampling over a period, judges a measurement file on its own,
// refuses bad input without changing what it shows, and against the simulated instrument's
// dimmer load finds the 13th harmonic over the class A limit.

#include "link/forms/MainFixture.h"

#include "measure/ComplianceView.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementFile.h"
#include "measure/PaneDrawing.h"
#include "measure/forms/Compliance.h"
#include "report/ComplianceReport.h"
#include "report/PrintInfo.h"
#include "report/forms/ReportFormsFixture.h"
#include "support/ProgramWindows.h"
#include "support/SimProcess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <numbers>

namespace {

// A measurement with the given current harmonics (order, A rms) over a 2.6 A fundamental.
MeasurementRecord loadRecord(std::initializer_list<std::pair<int, double>> harmonics, float power = 500)
{
    MeasurementRecord record {};
    record.IRMS = 3.0f;
    record.WRMS = power;
    record.PF = 0.73f;
    record.IHarm[1] = float(2.6 * std::numbers::sqrt2);
    for (const auto &[order, rms] : harmonics)
        record.IHarm[order] = float(rms * std::numbers::sqrt2);
    return record;
}

class ComplianceWindow : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        // The program's windows again, this time with the compliance window made before the
        // wiring, as the program's start makes it.
        ForgetProgramWindows();
        form = MakeProgramWindows(
            { .comm = true, .starting = true, .alarm = true, .record = true, .compliance = true });
    }

    QString cell(int order, int column) const
    {
        return ComplianceForm->Grid1->item(order - 2, column)->text();
    }
};

TEST_F(ComplianceWindow, TheOptionMenuEndsWithTheWindowThatOpensFromIt)
{
    const QList<QAction *> items = form->Option1->actions();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.back()->objectName(), QStringLiteral("Compliance1"));
    EXPECT_EQ(items.back()->text(), QStringLiteral("Harmonic compliance"));
    EXPECT_FALSE(ComplianceForm->isVisible());
    items.back()->trigger();
    EXPECT_TRUE(ComplianceForm->isVisible());
    EXPECT_FALSE(ComplianceForm->isModal());
    EXPECT_EQ(ComplianceForm->Label5->text(), PreComplianceNote());
    ComplianceForm->hide();
}

TEST_F(ComplianceWindow, APeriodFollowsTheStoredMeasurementsOnlyWhileItRuns)
{
    TComplianceForm &w = *ComplianceForm;
    const MeasurementRecord dimmer = loadRecord({ { 3, 1.35 }, { 13, 0.26 } });
    w.TakeMeasurement(dimmer, clock.now());
    EXPECT_EQ(w.assessment().measurements, 0) << "nothing is taken before Start";

    SamplingMode = 0;
    w.Button1->click();
    EXPECT_TRUE(w.running());
    EXPECT_TRUE(w.Label2->text().startsWith(QStringLiteral("Continuous sampling is not running")))
        << w.Label2->text().toStdString();
    EXPECT_FALSE(w.ComboBox1->isEnabled());

    // The main window's stored measurements arrive through the wiring.
    std::memcpy(&Measurement, &dimmer, sizeof dimmer);
    for (int i = 0; i < 10; ++i) {
        clock.current = clock.current.addMSecs(350);
        emit form->MeasurementStored();
    }
    EXPECT_EQ(w.assessment().measurements, 10);
    EXPECT_NEAR(w.assessment().periodSeconds, 3.15, 1e-9);
    EXPECT_EQ(w.assessment().verdict, Verdict::Fail);
    EXPECT_EQ(w.Label3->text(), QStringLiteral("FAIL (class A)"));
    EXPECT_TRUE(w.Label4->text().startsWith(QStringLiteral("order 13:"))) << w.Label4->text().toStdString();
    EXPECT_EQ(cell(13, 1), QStringLiteral("0.210"));
    EXPECT_EQ(cell(13, 4), QStringLiteral("0.260"));
    EXPECT_EQ(cell(13, 5), QStringLiteral("124 %"));
    EXPECT_EQ(cell(13, 6), QStringLiteral("FAIL"));
    EXPECT_EQ(cell(3, 6), QStringLiteral("pass"));
    EXPECT_NE(w.Grid1->item(13 - 2, 0)->background(), w.Grid1->item(3 - 2, 0)->background())
        << "the failing row stands out";

    w.Button2->click();
    emit form->MeasurementStored();
    EXPECT_EQ(w.assessment().measurements, 10) << "nothing is taken after Stop";
    w.Button1->click();
    clock.current = clock.current.addSecs(60);
    emit form->MeasurementStored();
    EXPECT_EQ(w.assessment().measurements, 11) << "Start after Stop goes on with the period";
    EXPECT_NEAR(w.assessment().periodSeconds, 63.15, 1e-9);
    w.Button3->click();
    EXPECT_EQ(w.assessment().measurements, 0);
    EXPECT_EQ(w.assessment().verdict, Verdict::NoVerdict);
}

TEST_F(ComplianceWindow, ClassAndRatedPowerChangeTheLimits)
{
    TComplianceForm &w = *ComplianceForm;
    const MeasurementRecord supply = loadRecord({ { 3, 0.7 } }, 200);
    w.ComboBox1->setCurrentIndex(3); // class D
    w.Button1->click();
    w.TakeMeasurement(supply, clock.now());
    EXPECT_EQ(w.assessment().verdict, Verdict::Fail) << w.Label4->text().toStdString(); // 0.68 A at 200 W
    w.Button2->click();

    w.Edit1->setText(QStringLiteral("250"));
    w.Button1->click();
    w.TakeMeasurement(supply, clock.now().addSecs(1));
    EXPECT_EQ(w.assessment().measurements, 1) << "another rated power starts a new period";
    EXPECT_TRUE(w.assessment().ratedPowerUsed);
    EXPECT_EQ(w.assessment().verdict, Verdict::Pass);
    EXPECT_TRUE(w.Label1->text().contains(QStringLiteral("250.0 W (rated)")))
        << w.Label1->text().toStdString();
}

TEST_F(ComplianceWindow, BadInputIsRefusedAndChangesNothing)
{
    TComplianceForm &w = *ComplianceForm;
    w.Button1->click();
    w.TakeMeasurement(loadRecord({ { 13, 0.26 } }), clock.now());
    w.Button2->click();
    const QString verdict = w.Label3->text();
    ASSERT_EQ(w.assessment().measurements, 1);

    // A rated power that is not positive: neither Start nor Reset takes it.
    for (const char *text : { "0", "-5" }) {
        w.Edit1->setText(QString::fromLatin1(text));
        w.Button1->click();
        EXPECT_FALSE(w.running()) << text;
        EXPECT_TRUE(w.Label2->text().contains(QStringLiteral("positive number of watts"))) << text;
        w.Label2->clear();
        w.Button3->click();
        EXPECT_EQ(w.assessment().measurements, 1) << text << ": the period stays";
        EXPECT_TRUE(w.Label2->text().contains(QStringLiteral("positive number of watts"))) << text;
    }
    w.Edit1->clear();

    // A file that is not a measurement file.
    const QString text = programDir.filePath(QStringLiteral("notes.txt"));
    programDir.writeFile(QStringLiteral("notes.txt"), "not a measurement\n");
    dialogs.fileNames.push_back(text);
    w.Button4->click();
    EXPECT_FALSE(w.Label2->text().isEmpty());
    EXPECT_EQ(w.assessment().measurements, 1) << "the assessment shown stays";
    EXPECT_EQ(w.Label3->text(), verdict);
    EXPECT_TRUE(dialogs.messages.empty()) << "said in the window, not in a box";
}

TEST_F(ComplianceWindow, AMeasurementFileIsAssessedAsAPeriodOfOne)
{
    TComplianceForm &w = *ComplianceForm;
    const QString file = programDir.filePath(QStringLiteral("supply.vqm"));
    SaveMeasurementFile(file, loadRecord({ { 7, 0.9 } }, 300));
    w.Button1->click();
    dialogs.fileNames.push_back(file);
    w.Button4->click();
    EXPECT_FALSE(w.running()) << "a running period stops";
    EXPECT_EQ(w.assessment().measurements, 1);
    EXPECT_EQ(w.assessment().verdict, Verdict::Fail); // 0.9 A over class A's 0.77 A
    EXPECT_TRUE(w.Label2->text().startsWith(QStringLiteral("supply.vqm"))) << w.Label2->text().toStdString();
}

TEST_F(ComplianceWindow, LimitMarksOnTheCurrentSpectrumOnlyWhenAskedFor)
{
    TComplianceForm &w = *ComplianceForm;
    form->resize(895, 615);
    EXPECT_FALSE(w.CheckBox1->isChecked());
    // At the start-up values (no power) no limits apply, so there is nothing to mark.
    w.CheckBox1->click();
    EXPECT_TRUE(form->CurrentLimitPeaks.empty());
    w.CheckBox1->click();

    const MeasurementRecord dimmer = loadRecord({ { 3, 1.35 }, { 13, 0.26 } });
    std::memcpy(&Measurement, &dimmer, sizeof dimmer);
    form->DrawMeasurement();
    EXPECT_TRUE(form->CurrentLimitPeaks.empty());
    const QImage plain = form->IHarmSurface.copy(form->PaneRect);

    // Before any period the marks show the limits for the latest measurement, and follow the
    // measurements as they are stored.
    std::memset(&Measurement, 0, sizeof Measurement);
    w.CheckBox1->click();
    EXPECT_TRUE(form->CurrentLimitPeaks.empty());
    std::memcpy(&Measurement, &dimmer, sizeof dimmer);
    emit form->MeasurementStored();
    ASSERT_EQ(form->CurrentLimitPeaks.size(), size_t(HarmonicCount));
    EXPECT_NEAR(form->CurrentLimitPeaks[3], 2.30 * std::numbers::sqrt2, 1e-9);
    EXPECT_NEAR(form->CurrentLimitPeaks[40], 0.046 * std::numbers::sqrt2, 1e-9);
    for (const int n : { 0, 1, 41, 50 })
        EXPECT_TRUE(std::isnan(form->CurrentLimitPeaks[size_t(n)])) << n;
    EXPECT_NE(form->IHarmSurface.copy(form->PaneRect), plain);

    // Class B's limits once chosen.
    w.ComboBox1->setCurrentIndex(1);
    w.CheckBox1->click();
    w.CheckBox1->click();
    EXPECT_NEAR(form->CurrentLimitPeaks[3], 3.45 * std::numbers::sqrt2, 1e-9);

    w.CheckBox1->click();
    EXPECT_TRUE(form->CurrentLimitPeaks.empty());
    EXPECT_EQ(form->IHarmSurface.copy(form->PaneRect), plain) << "the pane is as it was without the marks";
}

TEST(HarmonicLimitTicks, MarksSitOverTheirBarsAtTheLimitsHeight)
{
    const QColor background(238, 238, 238);
    QImage surface(600, 300, QImage::Format_RGB32);
    float amplitudes[HarmonicCount] = {};
    amplitudes[1] = 10.0f;
    double scale = 0;
    DrawHarmonicPane(surface, 600, 300, amplitudes, QColor(223, 48, 32), scale, { background, Qt::black });
    const QImage bars = surface.copy();
    std::vector<double> limits(HarmonicCount, std::nan(""));
    limits[3] = 5.0; // half the tallest bar
    limits[5] = 30.0; // above the pane's top
    const QColor tick(30, 30, 160);
    DrawHarmonicLimitTicks(surface, 600, 300, limits.data(), scale, tick);
    const auto tickRows = [&](int xFrom, int xTo) {
        std::vector<int> rows;
        for (int y = 0; y < surface.height(); ++y)
            for (int x = xFrom; x <= xTo; ++x)
                if (surface.pixelColor(x, y) == tick) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    // Bars as the pane places them: order i at x = nearest(i * innerWidth / 50) + 2, bar x+5..x+7.
    const int innerWidth = (600 - 2 - 4) - 8;
    const int baseline = int((300 - 2 - 4) * 0.9);
    const int x3 = int(std::nearbyint(3 * innerWidth / 50.0)) + 2;
    const std::vector<int> rows3 = tickRows(x3 + 3, x3 + 9);
    ASSERT_FALSE(rows3.empty());
    const int half = baseline - int(scale * 5.0);
    EXPECT_LE(std::abs(rows3.front() - half), 1) << "the tick at half the tallest bar";
    const int x5 = int(std::nearbyint(5 * innerWidth / 50.0)) + 2;
    const std::vector<int> rows5 = tickRows(x5 + 3, x5 + 9);
    ASSERT_FALSE(rows5.empty());
    EXPECT_LT(rows5.back(), baseline - (baseline - 15)) << "a caret at the top edge";
    EXPECT_TRUE(tickRows(
        int(std::nearbyint(7 * innerWidth / 50.0)) + 2, int(std::nearbyint(7 * innerWidth / 50.0)) + 11)
                    .empty())
        << "no mark without a limit";
}

// The compliance window and the print window as program start makes and connects them.
class CompliancePrint : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        PrinterForm = new TPrinterForm;
        PrinterForm->setPrinter(&printer);
        ComplianceForm = new TComplianceForm;
        main = MakeProgramWindows({});
    }
    void TearDown() override
    {
        // Made without a parent, before the program's windows (which forget it).
        delete ComplianceForm;
        ComplianceForm = nullptr;
        ForgetProgramWindows();
        main.reset();
        delete PrinterForm;
        PrinterForm = nullptr;
        ResetGlobals();
    }

    TempProgramDir programDir;
    FakeDialogs dialogs;
    FakeClock clock;
    ImagePrinter printer;
    std::unique_ptr<TMainForm> main;
};

// The preview of `a` as the print window draws it on a bitmap like `like`.
QImage previewOf(const EmissionAssessment &a, const QImage &like)
{
    QImage image(like.size(), like.format());
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawCompliancePreview(painter, image.width(), image.height(), a, ReadPrintInfo());
    return image;
}

TEST_F(CompliancePrint, PrintOpensThePrintWindowWithTheComplianceReport)
{
    TComplianceForm &w = *ComplianceForm;
    EXPECT_EQ(w.Button5->text(), QStringLiteral("&Print..."));
    EXPECT_EQ(w.Button5->accessibleName(), QStringLiteral("Print..."));
    w.Button1->click();
    const QDateTime start = clock.now();
    for (int s = 0; s < 5; ++s)
        w.TakeMeasurement(loadRecord({ { 3, 1.35 }, { 13, 0.26 } }), start.addSecs(s));
    ASSERT_EQ(w.assessment().verdict, Verdict::Fail);
    ReportKind = 0; // the measurement report was the last one shown

    bool shown = false;
    QTimer::singleShot(0, PrinterForm, [&] {
        shown = PrinterForm->isVisible() && PrinterForm->isModal();
        EXPECT_EQ(ReportKind, 2);
        // The preview is the compliance page of the window's assessment.
        const QRect page = PrinterForm->image1->geometry().translated(-5, -5);
        const QImage preview = PrinterForm->PreviewBitmap.copy(page);
        EXPECT_EQ(preview, previewOf(w.assessment(), preview));
        EXPECT_NE(preview, previewOf(EmissionAssessment(), preview));
        QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
        PrinterForm->reject();
    });
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    EXPECT_TRUE(shown) << "the print window was shown modally";
    EXPECT_FALSE(PrinterForm->isVisible());
    EXPECT_EQ(printer.jobs, QStringList({ QStringLiteral("ComplianceReport") }));
    EXPECT_EQ(printer.printed, 1);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();
    // The printed page too.
    QImage expected(printer.page.size(), printer.page.format());
    expected.fill(Qt::white);
    QPainter painter(&expected);
    DrawCompliancePage(painter, expected.width(), expected.height(), w.assessment(), ReadPrintInfo());
    painter.end();
    EXPECT_EQ(printer.page, expected);
}

TEST_F(CompliancePrint, WithoutTheComplianceWindowTheReportHasNoVerdict)
{
    ASSERT_TRUE(PrinterForm->ComplianceReportSource);
    delete ComplianceForm;
    ComplianceForm = nullptr;
    EXPECT_EQ(PrinterForm->ComplianceReportSource().verdict, Verdict::NoVerdict);
    EXPECT_EQ(PrinterForm->ComplianceReportSource().measurements, 0);
}

TEST(ComplianceChart, BarsAreRedOverTheLimitAndGreenWithin)
{
    const auto draw = [](const EmissionAssessment &a) {
        QImage image(800, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        DrawComplianceChart(painter, image.rect(), a);
        return image;
    };
    const auto count = [](const QImage &image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    const QRgb red = VerdictColour(Verdict::Fail).rgb();
    const QRgb green = VerdictColour(Verdict::Pass).rgb();

    EmissionCheck failing(EmissionClass::A);
    failing.add(EmissionSampleFrom(loadRecord({ { 3, 1.0 }, { 13, 0.26 } }), 0));
    const QImage fail = draw(failing.result());
    EmissionCheck passing(EmissionClass::A);
    passing.add(EmissionSampleFrom(loadRecord({ { 3, 1.0 }, { 13, 0.1 } }), 0));
    const QImage pass = draw(passing.result());

    // The 100 % line is red in both; only the failing bar adds red over it.
    EXPECT_GT(count(fail, red), count(pass, red) + 50);
    EXPECT_GT(count(pass, green), 100);
    EXPECT_EQ(ChartTopPercent(failing.result()), 200);
}

// Against the simulated instrument's dimmer load: continuous sampling brings the
// measurements and the window finds the 13th harmonic over the class A limit.
TEST(ComplianceWithTheSimulator, TheDimmerFailsClassAAtThe13th)
{
    ResetGlobals();
    InitMeasurement();
    FakeDialogs dialogs;
    TempProgramDir programDir;
    SimProcess sim({ QStringLiteral("--load"), QStringLiteral("dimmer") });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    WritePortSettings(sim.devicePath(), 7, 7);
    std::unique_ptr<TMainForm> form = MakeProgramWindows({ .comm = true });
    ComplianceForm = new TComplianceForm(form.get());
    CommForm->FormCreate();
    ASSERT_TRUE(form->Comm1->portOpen());

    form->Compliance1->trigger();
    ComplianceForm->Button1->click();
    form->SeSkinSpeedButton8->click();
    EXPECT_TRUE(QTest::qWaitFor([] { return ComplianceForm->assessment().measurements >= 12; }, 30000))
        << ComplianceForm->assessment().measurements;
    form->SeSkinSpeedButton9->click();
    const EmissionAssessment &a = ComplianceForm->assessment();
    EXPECT_EQ(a.verdict, Verdict::Fail) << a.reason.toStdString();
    EXPECT_EQ(a.worstOrder, 13) << a.reason.toStdString();
    EXPECT_EQ(ComplianceForm->Label3->text(), QStringLiteral("FAIL (class A)"));

    ComplianceForm = nullptr;
    ForgetProgramWindows();
    form.reset();
    ResetGlobals();
}

} // namespace
