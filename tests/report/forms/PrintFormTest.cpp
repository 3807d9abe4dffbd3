#include "ReportFormsFixture.h"

#include "report/MeasurementReport.h"

#include <QFrame>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

TEST_F(ReportForms, PrintWindowAsDesigned)
{
    TPrinterForm &form = *PrinterForm;
    EXPECT_EQ(form.objectName(), "PrinterForm");
    EXPECT_EQ(form.windowTitle(), "PrinterForm");
    EXPECT_EQ(form.size(), QSize(747, 500));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed-size dialog";
    EXPECT_EQ(form.Panel1->geometry(), QRect(0, 0, 747, 49));
    EXPECT_EQ(form.Panel1->palette().color(QPalette::Window), form.palette().color(QPalette::ToolTipBase));

    // Right-aligned, from left to right: Info, Printer Setting, Printing.
    const QPushButton *buttons[] = { form.SeSkinButton2, form.SeSkinButton3, form.SeSkinButton1 };
    const char *captions[] = { "Info", "Printer Setting", "Printing      " };
    const char *names[] = { "SeSkinButton2", "SeSkinButton3", "SeSkinButton1" };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons[i]->text(), captions[i]);
        EXPECT_EQ(buttons[i]->accessibleName(), captions[i]);
        EXPECT_EQ(buttons[i]->objectName(), names[i]);
        EXPECT_EQ(form.findChild<QPushButton *>(names[i]), buttons[i]);
    }
    form.show();
    EXPECT_LT(form.SeSkinButton2->x(), form.SeSkinButton3->x());
    EXPECT_LT(form.SeSkinButton3->x(), form.SeSkinButton1->x());
    EXPECT_GT(form.SeSkinButton1->geometry().right(), 747 - 30);
    EXPECT_FALSE(form.SeSkinButton1->icon().isNull()) << "a printer glyph";

    EXPECT_EQ(form.findChild<QScrollArea *>("Rongqi"), form.Rongqi);
    EXPECT_EQ(form.Rongqi->palette().color(QPalette::Window), QColor(160, 160, 164));
    EXPECT_EQ(form.findChild<QWidget *>("image1"), form.image1);
    EXPECT_EQ(form.findChild<QWidget *>("image_di"), form.image_di);
}

TEST_F(ReportForms, PreviewPageFollowsTheReportKind)
{
    TPrinterForm &form = *PrinterForm;
    const int wp = form.Rongqi->width() - 33;
    const struct
    {
        int kind;
        int hp;
    } cases[] = { { 0, int(wp * 1.414) }, { 1, int(wp / 1.414) } };
    for (const auto &c : cases) {
        ReportKind = uint8_t(c.kind);
        form.FormCreate();
        EXPECT_EQ(form.image1->geometry(), QRect(5, 5, wp, c.hp)) << c.kind;
        EXPECT_EQ(form.image_di->y(), c.hp) << c.kind;
        EXPECT_GE(form.Rongqi->widget()->height(), form.image_di->geometry().bottom()) << c.kind;
        EXPECT_EQ(form.PreviewBitmap.height(), 2400);
        EXPECT_GE(form.PreviewBitmap.width(), wp);
    }
}

TEST_F(ReportForms, PageAreaShowsThePreviewBitmap)
{
    TPrinterForm &form = *PrinterForm;
    form.show();
    const QImage shown = form.image1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage bitmap = form.PreviewBitmap.copy(QRect(QPoint(0, 0), form.image1->size()));
    EXPECT_TRUE(shown == bitmap);
    // The measurement preview: "Measurement Report" title in grey at (wp div 2 - 70, 30).
    const int wp = form.image1->width();
    EXPECT_NE(bitmap.copy(wp / 2 - 70, 30, 200, 30), QImage(200, 30, QImage::Format_RGB32)) << "title drawn";
}

TEST_F(ReportForms, ShowingRebuildsThePreviewAndScrollsToTheTop)
{
    TPrinterForm &form = *PrinterForm;
    form.show();
    QScrollBar *bar = form.Rongqi->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the page is higher than the scroll box";
    bar->setValue(300);
    dir.writeFile("EnterInfo.ini", "[PrintInfo]\nProjectName=Rebuilt\n");
    const QImage before = form.PreviewBitmap.copy();
    form.hide();
    form.show();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(form.PreviewBitmap == before) << "the print information is read afresh";
}

TEST_F(ReportForms, InfoShowsThePrintInformationWindowBesideThePrintWindow)
{
    PrinterForm->show();
    QTest::mouseClick(PrinterForm->SeSkinButton2, Qt::LeftButton);
    EXPECT_TRUE(EnterInfoForm->isVisible());
    EXPECT_FALSE(EnterInfoForm->isModal());
    EXPECT_TRUE(PrinterForm->isVisible());
    // Owned by the print window, so that it takes input while the print window is modal.
    EXPECT_EQ(EnterInfoForm->parentWidget(), PrinterForm);
    EXPECT_TRUE(EnterInfoForm->isWindow());
}

TEST_F(ReportForms, PrinterSettingRunsThePrintersSetup)
{
    QTest::mouseClick(PrinterForm->SeSkinButton3, Qt::LeftButton);
    EXPECT_EQ(printer.setups, 1);
    EXPECT_TRUE(printer.jobs.isEmpty()) << "setting up prints nothing";
}

TEST_F(ReportForms, PrintingNamesTheJobAfterTheReport)
{
    dir.writeFile("EnterInfo.ini", "[PrintInfo]\nProjectName=Pump7\n");
    ReportKind = 0;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    ReportKind = 1;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_EQ(printer.jobs, QStringList({ "Pump7TestReport", "RecordReport" }));
    EXPECT_EQ(printer.printed, 2);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReportForms, RecordReportReadsTheRecordWindowAndHandsBackTheOverflowMarks)
{
    std::vector<float> values(400, 100.0f);
    std::vector<float> high(400, 5000.0f);
    int asked = 0;
    PrinterForm->RecordReportSource = [&] {
        ++asked;
        RecordReportInput input;
        input.fileReady = true;
        input.last = 399;
        for (auto &s : input.samples)
            s = values;
        input.samples[4] = high;
        input.captions = { "Vol", "Amp", "Power", "Power", "Power", "Power" };
        return input;
    };
    std::optional<RecordPagePoints> marks;
    PrinterForm->RecordOverflowSink = [&](const RecordPagePoints &points) { marks = points; };
    ReportKind = 1;
    PrinterForm->FormCreate();
    EXPECT_EQ(asked, 1) << "the preview asks for the record";
    printer.pageSize = QSize(7016, 4961);
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_EQ(asked, 2) << "printing asks again";
    ASSERT_TRUE(marks.has_value());
    EXPECT_EQ(marks->count, 399);
    EXPECT_EQ(marks->above, (std::array<bool, 6> { false, false, false, false, true, false }));
}

TEST_F(ReportForms, PrintSystemErrorsGoToTheErrorBoxAndTheWindowStays)
{
    PrinterForm->show();
    const struct
    {
        const char *name;
        QString beginError, endError;
    } cases[] = {
        { "no job", "Printer \"Office\" is offline", "" },
        { "refused job", "", "The print system refused the job" },
    };
    for (const auto &c : cases) {
        dialogs.messages.clear();
        printer.beginError = c.beginError;
        printer.endError = c.endError;
        QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
        EXPECT_EQ(dialogs.messages[0].text, c.beginError + c.endError) << c.name;
        EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error) << c.name;
        EXPECT_TRUE(PrinterForm->isVisible()) << c.name;
        EXPECT_EQ(printer.printed, 0) << c.name;
    }
}

TEST_F(ReportForms, AnUnreadableHeaderFileStartsNoJob)
{
    // A folder where the INI file should be: reading it fails before any job starts.
    QDir(dir.path()).mkdir("EnterInfo.ini");
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(printer.printed, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
}
