#include "report/forms/QtPrinter.h"

#include "base/Errors.h"
#include "base/SaveName.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPushButton>

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() = default;

QPrinter &QtPrinter::qprinter()
{
    // Made when first needed: a printer asks the print system for its printers, which would
    // hold up the program's start.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool QtPrinter::setup()
{
    QPrintDialog dialog(&qprinter(), QApplication::activeWindow());
    dialog.setWindowTitle(QCoreApplication::translate("QtPrinter", "Printer Setting"));
    // A report is one page: nothing to choose about ranges or copies.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The dialog only chooses; "Printing      " prints. Its accept button says so.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QCoreApplication::translate("QtPrinter", "OK"));
    return dialog.exec() == QDialog::Accepted;
}

QPainter &QtPrinter::beginJob(const QString &jobName)
{
    QPrinter &printer = qprinter();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
    // Without any printer Qt keeps to PDF output, which then has no file yet.
    if (toFile ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty())
        throw KmrError(QCoreApplication::translate("QtPrinter",
            "No printer is installed. Choose \"Print to File (PDF)\" in \"Printer Setting\" to print the "
            "report to a PDF file."));
    if (toFile) {
        // A file name typed without ".pdf" would not show in a PDF viewer's open dialog.
        printer.setOutputFileName(
            WithFilterExtension(printer.outputFileName(), QStringLiteral("PDF(.pdf)|*.pdf")));
        // The resolution the reports' distances in device pixels were laid out for, so that a PDF
        // file carries them as designed (any other resolution scales them).
        printer.setResolution(PdfResolution);
        // The PDF writer only says that it failed; opening the file first gives the system's reason.
        QFile file(printer.outputFileName());
        if (!file.open(QIODevice::WriteOnly))
            throw EInOutError(QCoreApplication::translate("QtPrinter", "Cannot write %1: %2")
                                  .arg(printer.outputFileName(), file.errorString()));
    }
    printer.setDocName(jobName);
    printer.setFromTo(0, 0);
    printer.setCopyCount(1);
    if (!m_painter.begin(&printer))
        throw KmrError(
            QCoreApplication::translate("QtPrinter", "The printer \"%1\" cannot start the print job \"%2\".")
                .arg(toFile ? printer.outputFileName() : printer.printerName(), jobName));
    return m_painter;
}

void QtPrinter::endJob()
{
    QPrinter &printer = qprinter();
    const bool ended = m_painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        if (!printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        throw KmrError(
            QCoreApplication::translate("QtPrinter", "The print system refused the print job \"%1\".")
                .arg(printer.docName()));
    }
}

void QtPrinter::abortJob()
{
    QPrinter &printer = qprinter();
    printer.abort();
    if (m_painter.isActive())
        m_painter.end();
    if (!printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}
