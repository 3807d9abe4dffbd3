#pragma once

// The harmonic compliance window: judges the current harmonics of the measurements that
// continuous sampling brings, over an observation period the user starts and stops, against
// the limits of an emission class; or one measurement file on its own. The assessment and
// its texts and chart are plain code (measure/HarmonicCompliance, measure/ComplianceView).

#include "measure/HarmonicCompliance.h"

#include <QDateTime>
#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TPaintBox;

class TComplianceForm : public QDialog
{
    Q_OBJECT

public:
    explicit TComplianceForm(QWidget *parent = nullptr);

    // A measurement stored by the main window at `time`; taken while a period runs.
    void TakeMeasurement(const MeasurementRecord &record, const QDateTime &time);

    void Button1Click(); // Start
    void Button2Click(); // Stop
    void Button3Click(); // Reset
    void Button4Click(); // Assess a measurement file
    void Button5Click(); // Print: asks for the compliance report
    void ComboBox1Change();
    void CheckBox1Click();
    // The limits the marks show: of the period's assessment, or while it has none of the
    // latest measurement; a peak amplitude per order 0..50, NaN for none; empty when off or
    // when no limits apply.
    std::vector<double> limitPeaks() const;

signals:
    // The limit marks to draw over the current spectrum (empty: none).
    void CurrentLimitsChanged(const std::vector<double> &limitPeaks);

public:
    bool running() const { return m_running; }
    const EmissionAssessment &assessment() const { return m_assessment; }

    QComboBox *ComboBox1 = nullptr; // class
    QCheckBox *CheckBox1 = nullptr; // limit marks on the main window's current spectrum
    QLineEdit *Edit1 = nullptr; // rated power, W; empty: the measured power
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button5 = nullptr; // "Print..."
    QLabel *Label1 = nullptr; // period and measurements
    QLabel *Label2 = nullptr; // status line
    QLabel *Label3 = nullptr; // verdict
    QLabel *Label4 = nullptr; // reason
    QLabel *Label5 = nullptr; // what the verdict is worth
    QTableWidget *Grid1 = nullptr;
    TPaintBox *Chart1 = nullptr;

    // Every text shown in the current language; again at each change of language.
    void retranslateUi();

signals:
    void PrintRequested(); // the compliance report is to be shown in the print window

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_classLabel = nullptr;
    QLabel *m_powerLabel = nullptr;
    EmissionClass chosenClass() const;
    // The rated power typed, nothing when the box is empty; false for a text that is no
    // positive number.
    // (and says so in the status line).
    bool ratedPower(std::optional<double> &power);
    // A new observation period of the class chosen.
    void newPeriod(std::optional<double> ratedPower);
    void setRunning(bool running);
    void showAssessment();
    void setStatus(const QString &text);

    EmissionCheck m_check { EmissionClass::A };
    EmissionAssessment m_assessment;
    std::optional<double> m_rated;
    QDateTime m_origin;
    bool m_running = false;
};

extern TComplianceForm *ComplianceForm;
