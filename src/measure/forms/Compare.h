#pragma once

// The compare window: the shown measurement against the reference, value by value and
// order by order (measure/Comparison), refreshed with each measurement; the table to the
// clipboard or a CSV file.

#include "measure/Comparison.h"
#include "measure/Reference.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

class TCompareForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCompareForm(QWidget *parent = nullptr);

    // The measurement shown now and the reference (none: the table stays empty and says how
    // to set one). The table is filled while the window is shown, else when it is shown next.
    void ShowComparison(const MeasurementRecord &live, const std::optional<ReferenceMeasurement> &reference);

    void Button1Click(); // Copy
    void Button2Click(); // Export CSV...

    const std::vector<ComparisonRow> &rows() const { return m_rows; }

    QLabel *Label1 = nullptr; // what is compared with what
    QTableWidget *Grid1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    // Every text shown in the current language; again at each change of language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fill();
    // The columns' names as a file holds them (the same in every language), and as shown.
    static QStringList header();
    static QStringList shownHeader();

    MeasurementRecord m_live {};
    std::optional<ReferenceMeasurement> m_reference;
    std::vector<ComparisonRow> m_rows;
    bool m_stale = true;
};

extern TCompareForm *CompareForm;
