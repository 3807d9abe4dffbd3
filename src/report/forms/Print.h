#pragma once

// The print window: a one-page preview of the measurement report, the record report or the
// harmonic compliance report (chosen by ReportKind: 0, 1, 2), printed at once on the printer
// chosen in its printer setup.

#include "measure/HarmonicCompliance.h"
#include "report/RecordReport.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>
#include <optional>

class Printer;
class QCheckBox;
class QFrame;
class QPushButton;
class QScrollArea;
class QWidget;

class TPrinterForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPrinterForm(QWidget *parent = nullptr);
    ~TPrinterForm() override;

    QFrame *Panel1 = nullptr;
    QPushButton *SeSkinButton2 = nullptr; // "Info"
    QPushButton *SeSkinButton3 = nullptr; // "Printer Setting"
    QPushButton *SeSkinButton1 = nullptr; // "Printing      "
    // The measurement report draws the reference's traces too; off at first, enabled only
    // while there is a reference.
    QCheckBox *PrintReference1 = nullptr;
    QScrollArea *Rongqi = nullptr;
    QWidget *image1 = nullptr; // the page: copies PreviewBitmap
    QWidget *image_di = nullptr; // empty, under the page, so that the scroll range reaches past it

    // Screen width x 2400, made by the first preview and kept; every build repaints it whole.
    QImage PreviewBitmap;

    // What the record report shows, asked for whenever its preview is built or it is printed;
    // the record window provides it. Without it the record report has no record.
    std::function<RecordReportInput()> RecordReportSource;
    // Told the overflow marks computed for a printed record report.
    std::function<void(const RecordPagePoints &)> RecordOverflowSink;
    // The assessment the compliance report shows, asked for whenever its preview is built or it
    // is printed; the compliance window provides it. Without it the report has no verdict.
    std::function<EmissionAssessment()> ComplianceReportSource;
    // The reference measurement, asked for whenever the measurement report is built or
    // printed; the main window provides it. Without it there is none.
    std::function<std::optional<MeasurementRecord>()> ReferenceSource;

    // The print system in use: the program's own unless another one is put in (tests).
    Printer &printer();
    void setPrinter(Printer *printer); // nullptr: the program's own again

    // Builds the preview of the report ReportKind names; runs at creation, at every showing and
    // every resize.
    void FormCreate();
    void SeSkinButton1Click(); // print
    void SeSkinButton2Click(); // print information
    void SeSkinButton3Click(); // printer setup

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    RecordReportInput recordInput() const;
    EmissionAssessment complianceAssessment() const;
    // The reference the measurement report draws: the check box on and a reference set.
    std::optional<MeasurementRecord> printedReference();
    void showError(const QString &text);

    std::unique_ptr<Printer> m_ownPrinter;
    Printer *m_printer = nullptr;
};

extern TPrinterForm *PrinterForm;
