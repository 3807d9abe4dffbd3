#pragma once

// The print window and the print information window on a fresh program directory, with a
// printer that paints onto an image.

#include "base/Errors.h"
#include "link/Globals.h"
#include "measure/MeasurementRecord.h"
#include "report/Printer.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"
#include "support/Fakes.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

class ImagePrinter final : public Printer
{
public:
    bool setup() override
    {
        ++setups;
        return true;
    }
    QPainter &beginJob(const QString &jobName) override
    {
        if (!beginError.isEmpty())
            throw KmrError(beginError);
        jobs << jobName;
        page = QImage(pageSize, QImage::Format_RGB32);
        page.fill(Qt::white);
        painter.begin(&page);
        return painter;
    }
    void endJob() override
    {
        painter.end();
        if (!endError.isEmpty())
            throw KmrError(endError);
        ++printed;
    }
    void abortJob() override
    {
        painter.end();
        ++aborted;
    }

    QSize pageSize { 1400, 990 };
    QString beginError, endError;
    QStringList jobs;
    QImage page;
    QPainter painter;
    int setups = 0, printed = 0, aborted = 0;
};

class ReportForms : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        InitMeasurement();
        PrinterForm = new TPrinterForm;
        EnterInfoForm = new TEnterInfoForm;
        PrinterForm->setPrinter(&printer);
    }
    void TearDown() override
    {
        delete EnterInfoForm;
        EnterInfoForm = nullptr;
        delete PrinterForm;
        PrinterForm = nullptr;
        ResetGlobals();
        InitMeasurement();
    }

    TempProgramDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    ImagePrinter printer;
};
