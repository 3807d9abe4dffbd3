#pragma once

// The print system as the print window uses it: a setup dialog whose choices hold for the
// following jobs, and named one-page jobs. The program's implementation sits on Qt's printer
// and print dialog; tests put their own in its place.

#include <QString>

class QPainter;

class Printer
{
public:
    virtual ~Printer() = default;

    // The platform's printer setup (printer or PDF file, paper, orientation); false when the
    // user cancels, which changes nothing.
    virtual bool setup() = 0;
    // Starts a job named `jobName` and returns the painter of its one page; the painter's
    // device is the printable area in device pixels. Throws KmrError with the print system's
    // text when no job can start.
    virtual QPainter &beginJob(const QString &jobName) = 0;
    // Ends the job; throws KmrError with the print system's text when the job is refused.
    virtual void endJob() = 0;
    // Drops a started job after a failure while its page was drawn; nothing is printed.
    virtual void abortJob() = 0;
};
