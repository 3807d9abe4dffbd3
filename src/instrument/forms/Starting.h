#pragma once

// The starting-test window: the ranges, arming the instrument's capture of a switch-on
// event, and the capture drawn as a chart that can be scrolled, compressed and saved as a
// bitmap. The main window's reply handler fetches the six pages, writes the status bar on
// the way and calls DrawChart once the capture is complete in StartingCapture.

#include "instrument/StartingChart.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class QStatusBar;
class QToolButton;
class TPaintBox;

class TStartingForm : public QDialog
{
    Q_OBJECT

public:
    explicit TStartingForm(QWidget *parent = nullptr);

    QWidget *Panel1 = nullptr; // the top panel
    QGroupBox *GroupBox1 = nullptr; // Amp Range
    QGroupBox *GroupBox2 = nullptr; // Vol Range
    QComboBox *ComboBox1 = nullptr; // current range
    QComboBox *ComboBox2 = nullptr; // voltage range
    QPushButton *SeSkinSpeedButton6 = nullptr; // Save
    QPushButton *SeSkinSpeedButton1 = nullptr; // Starting
    QToolButton *SeSkinSpeedButton2 = nullptr; // towards earlier samples
    QToolButton *SeSkinSpeedButton3 = nullptr; // towards later samples
    QToolButton *SeSkinSpeedButton4 = nullptr; // more compression
    QToolButton *SeSkinSpeedButton5 = nullptr; // less compression
    TPaintBox *StartingPic = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr; // the one panel, 200 pixels wide

    // The off-screen picture the chart is drawn into; the paint handler copies from it.
    QImage ChartPicture;
    StartingChartView View;
    ChartPeaks Peaks; // of the chart last drawn
    uint8_t RangeCode = 0;

    QString statusText() const;
    void setStatusText(const QString &text);

    // Draws the chart of StartingCapture at the current view and shows it.
    void DrawChart();

    void FormCreate();
    void FormResize();
    void StartingPicPaint(QPainter &painter);
    void SeSkinSpeedButton1Click();
    void SeSkinSpeedButton2Click();
    void SeSkinSpeedButton3Click();
    void SeSkinSpeedButton4Click();
    void SeSkinSpeedButton5Click();
    void SeSkinSpeedButton6Click();
    void GroupBox1MouseMove();
    void GroupBox2MouseMove();
    void StartingPicMouseMove();

    // Sets every text of the window in the current language.
    void retranslateUi();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTopPanel();
    void pressViewButton(ViewButton button);

    ViewButtonStates m_buttonStates;
    // The source of the status text when this window wrote it, so a change of language can
    // rewrite it; texts others write stay as they were given.
    const char *m_ownStatus = nullptr;
};

extern TStartingForm *StartingForm;
