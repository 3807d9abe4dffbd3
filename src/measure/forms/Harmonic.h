#pragma once

// The harmonic table: RMS value and content of every voltage and current harmonic of the
// measurement record, refreshed every second while the program runs.

#include <QDialog>
#include <QString>

class QTableWidget;
class QTimer;

class THarmonicForm : public QDialog
{
    Q_OBJECT

public:
    explicit THarmonicForm(QWidget *parent = nullptr);

    // The grid's header row is the fixed row 0 of the table; data row r (order r - 1) is
    // row r - 1 of the widget.
    QTableWidget *p1_h = nullptr;
    QTimer *Timer1 = nullptr;

    void FormCreate();
    // Rewrites every data cell from the measurement record; also the tick of Timer1.
    void FormShow();

    // A cell in grid coordinates, fixed header row included: Cells(col, 0) is the header,
    // Cells(col, n + 1) the row of order n.
    QString Cells(int col, int row) const;
    // Every text shown in the current language; again at each change of language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

extern THarmonicForm *HarmonicForm;
