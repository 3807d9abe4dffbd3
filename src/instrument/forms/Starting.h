#pragma once

// The starting-test window: the instrument's capture of a switch-on event as a chart.
// So far the window itself and its status bar, which the reply dispatcher writes while it
// fetches the six pages of a capture. Drawing the chart comes with the window's own code.

#include <QDialog>
#include <QString>

class QLabel;
class QStatusBar;

class TStartingForm : public QDialog
{
    Q_OBJECT

public:
    explicit TStartingForm(QWidget *parent = nullptr);

    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr; // the one panel, 200 pixels wide

    QString statusText() const;
    void setStatusText(const QString &text);

    // Called when the six pages of a capture are in StartingCapture. To come: redraw the
    // chart from it. Does nothing yet.
    void DrawChart();
};

extern TStartingForm *StartingForm;
