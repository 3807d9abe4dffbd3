#pragma once

// The record window: logs chosen quantities over time and browses record files.
// So far the window itself (caption, design size) and the timer that opens the record file
// named on the command line; the record window's own code connects that timer.

#include <QDialog>

class QTimer;

class TRecordForm : public QDialog
{
    Q_OBJECT

public:
    explicit TRecordForm(QWidget *parent = nullptr);

    // 1000 ms, off; the main window starts it one second after start-up when the program
    // was started with a record file.
    QTimer *OpenTimer = nullptr;
};

extern TRecordForm *RecordForm;
