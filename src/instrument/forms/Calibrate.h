#pragma once

// The calibration window: a service tool that sends calibration values and codes to the
// instrument. Created hidden; only the hidden menu item "校准 " shows it.

#include <QDialog>

#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TNumberKeyFilter;

class TCalibrateForm : public QDialog
{
    Q_OBJECT

public:
    explicit TCalibrateForm(QWidget *parent = nullptr);

    QGroupBox *GroupBox1 = nullptr; // 校准设置
    QGroupBox *GroupBox2 = nullptr; // 温度选项
    QLabel *Label1 = nullptr; // 电压：
    QLabel *Label2 = nullptr; // 电流：
    QLineEdit *Edit1 = nullptr; // voltage
    QLineEdit *Edit2 = nullptr; // current
    QPushButton *SeSkinButton1 = nullptr; // calibrate voltage
    QPushButton *SeSkinButton2 = nullptr; // calibrate current
    QPushButton *SeSkinButton3 = nullptr; // narrowband
    QPushButton *SeSkinButton4 = nullptr; // wide band
    QPushButton *SeSkinButton5 = nullptr; // calibrate at normal temperature
    QPushButton *SeSkinButton6 = nullptr; // calibrate at low temperature
    QPushButton *SeSkinButton7 = nullptr; // temperature compensation off
    QPushButton *SeSkinButton8 = nullptr; // temperature compensation on
    QPushButton *SeSkinButton9 = nullptr; // presets: 220, 110, 55, 15 (V)
    QPushButton *SeSkinButton10 = nullptr;
    QPushButton *SeSkinButton11 = nullptr;
    QPushButton *SeSkinButton12 = nullptr;
    QPushButton *SeSkinButton13 = nullptr; // presets: 8A, 3A, 1A, 0.2A
    QPushButton *SeSkinButton14 = nullptr;
    QPushButton *SeSkinButton15 = nullptr;
    QPushButton *SeSkinButton16 = nullptr;
    QPushButton *Button1 = nullptr; // unlock

    void SeSkinButton1Click();
    void SeSkinButton2Click();
    void SeSkinButton3Click();
    void SeSkinButton4Click();
    void SeSkinButton5Click();
    void SeSkinButton6Click();
    void SeSkinButton7Click();
    void SeSkinButton8Click();
    void Button1Click();
    // A preset button: its value into the row's box, then that row's calibration.
    void PresetClick(QPushButton *preset);

    // Sets every text of the window in the current language.
    void retranslateUi();

signals:
    // The bandwidth buttons: the main window's bandwidth command writes the mode word.
    void BandwidthChosen(bool broadband);

protected:
    void changeEvent(QEvent *event) override;

private:
    QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry);
    void calibrate(QLineEdit *edit, bool voltage);
    void writeCode(uint16_t reg, uint8_t code);

    TNumberKeyFilter *m_keyFilter = nullptr;
};

extern TCalibrateForm *CalibrateForm;
