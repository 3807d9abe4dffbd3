#pragma once

// A record window on fake dialogs, clock and program directory, with the mode faces in
// the program directory's "PenData".

#include "app/forms/Wiring.h"
#include "link/Globals.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "record/forms/ChartPaintBox.h"
#include "record/forms/Rec.h"
#include "support/Fakes.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

class RecordFormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        ResetDrawingColours();
        std::memset(&Measurement, 0, sizeof Measurement);
        LatestArrival = {}; // the program starts before any measurement
        QDir(programDir.path()).mkpath(QStringLiteral("PenData"));
        for (const char *name : { "12.dat", "13.dat" }) {
            QImage face(24, 24, QImage::Format_ARGB32);
            face.fill(name[1] == '2' ? Qt::red : Qt::blue);
            face.save(programDir.filePath(QStringLiteral("PenData/") + QLatin1String(name)), "PNG");
        }
    }

    void TearDown() override
    {
        RecordForm = nullptr;
        form.reset();
        ResetGlobals();
        ResetDrawingColours();
    }

    // The window, not shown, with a trace area of 600 × 332.
    void create()
    {
        form = std::make_unique<TRecordForm>();
        RecordForm = form.get();
        form->Pic4->resize(600, 332);
        ConnectWindows();
    }

    QString path(const QString &name) const { return QDir(programDir.path()).filePath(name); }

    void newFile(const QString &name)
    {
        dialogs.fileNames.push_back(path(name));
        form->SeSkinSpeedButton12Click();
    }

    // New into `name`, continuous sampling on, Start.
    void startRecording(const QString &name = QStringLiteral("rec.vqr"))
    {
        SamplingMode = 2;
        newFile(name);
        form->SeSkinSpeedButton5Click();
    }

    // A measurement reply with `seed` in every field arrives a second after the previous
    // one, as the receive handler stores it.
    void arrive(float seed)
    {
        MeasurementRecord reply = Measurement;
        float *scalars = &reply.URMS;
        for (int i = 0; i < 15; ++i)
            scalars[i] = seed + float(i) / 16.0f;
        clock.current = clock.current.addSecs(1);
        StoreMeasurementReply(reinterpret_cast<const uint8_t *>(&reply));
    }

    // One sampling tick just after a new measurement with `seed` in every field.
    void tick(float seed)
    {
        arrive(seed);
        form->Timer1Timer();
    }

    // One sampling tick a second after the previous one, with no measurement since.
    void idleTick()
    {
        clock.current = clock.current.addSecs(1);
        form->Timer1Timer();
    }

    FakeDialogs dialogs;
    FakeClock clock;
    TempProgramDir programDir;
    std::unique_ptr<TRecordForm> form;
};
