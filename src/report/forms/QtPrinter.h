#pragma once

// The program's print system: Qt's printer with the platform's print dialog. The dialog always
// offers a PDF file besides the installed printers, so a computer without printers can
// still print a report.

#include "report/Printer.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

class QtPrinter final : public Printer
{
public:
    QtPrinter();
    ~QtPrinter() override;

    bool setup() override;
    QPainter &beginJob(const QString &jobName) override;
    void endJob() override;
    void abortJob() override;

    // The printer the dialog sets up; tests choose a PDF file here the way a user would in
    // the dialog.
    QPrinter &qprinter();

    // Device pixels per inch of a report printed to a PDF file.
    static constexpr int PdfResolution = 600;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};
