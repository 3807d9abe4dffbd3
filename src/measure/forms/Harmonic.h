#pragma once

// The harmonic table: RMS value and content of every voltage and current harmonic of the
// measurement record, refreshed every second while the program runs.

#include <QDialog>

class QTableWidget;
class QTimer;

class THarmonicForm : public QDialog
{
    Q_OBJECT

public:
    explicit THarmonicForm(QWidget *parent = nullptr);

    QTableWidget *p1_h = nullptr;
    QTimer *Timer1 = nullptr;

    void FormCreate();
    // Rewrites every data cell from the measurement record; also the tick of Timer1.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

extern THarmonicForm *HarmonicForm;
