#include "report/forms/QtPrinter.h"

#include "link/Errors.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPrintDialog>
#include <QPushButton>

QtPrinter::QtPrinter()
    : m_printer(QPrinter::HighResolution)
{
}

bool QtPrinter::setup()
{
    QPrintDialog dialog(&m_printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Printer Setting"));
    // A report is one page: nothing to choose about ranges or copies.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // The dialog only chooses; "Printing      " prints. Its accept button says so.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

QPainter &QtPrinter::beginJob(const QString &jobName)
{
    const bool toFile
        = m_printer.outputFormat() == QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
    // Without any printer Qt keeps to PDF output, which then has no file yet.
    if (toFile ? m_printer.outputFileName().isEmpty() : m_printer.printerName().isEmpty())
        throw KmrError(QStringLiteral("No printer is installed. Choose \"Print to File (PDF)\" in "
                                      "\"Printer Setting\" to print the report to a PDF file."));
    if (toFile) {
        // The record page keeps its chart's distances in device pixels, laid out for 600 dpi; at
        // the PDF writer's own 1200 dpi its texts would run into one another.
        m_printer.setResolution(PdfResolution);
        // The PDF writer only says that it failed; opening the file first gives the system's reason.
        QFile file(m_printer.outputFileName());
        if (!file.open(QIODevice::WriteOnly))
            throw EInOutError(
                QStringLiteral("Cannot write %1: %2").arg(m_printer.outputFileName(), file.errorString()));
    }
    m_printer.setDocName(jobName);
    m_printer.setFromTo(0, 0);
    m_printer.setCopyCount(1);
    if (!m_painter.begin(&m_printer))
        throw KmrError(QStringLiteral("The printer \"%1\" cannot start the print job \"%2\".")
                           .arg(toFile ? m_printer.outputFileName() : m_printer.printerName(), jobName));
    return m_painter;
}

void QtPrinter::endJob()
{
    const bool ended = m_painter.end();
    if (!ended || m_printer.printerState() == QPrinter::Error) {
        if (!m_printer.outputFileName().isEmpty())
            QFile::remove(m_printer.outputFileName());
        throw KmrError(
            QStringLiteral("The print system refused the print job \"%1\".").arg(m_printer.docName()));
    }
}

void QtPrinter::abortJob()
{
    m_printer.abort();
    if (m_painter.isActive())
        m_painter.end();
    if (!m_printer.outputFileName().isEmpty())
        QFile::remove(m_printer.outputFileName());
}
