#pragma once

// The main window: tool bar, menu, the parameter panel and the three panes, the status bar
// and the acquisition commands. Its receive handler (link/forms/Dispatcher.cpp) hands every
// reply of the instrument to the link session and shows what the session tells.

#include "link/LinkSession.h"
#include "link/Reply.h"
#include "measure/MainControls.h"
#include "measure/MeasurementCsv.h"
#include "measure/MeasurementRecord.h"
#include "measure/PaneDrawing.h"
#include "measure/PanelTexts.h"
#include "measure/forms/MainParts.h"
#include "measure/forms/Reference.h"
#include "widgets/PaintBox.h"

#include <QCloseEvent>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class QAction;
class QGroupBox;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TComm;
class TWaveCursorControl;

class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // `arguments` is the program's command line (program path first); tests pass their own.
    explicit TMainForm(QWidget *parent = nullptr, const QStringList &arguments = {});

    using enum StatusPanel; // TMainForm::PanelCommunication and the others
    static constexpr int CaptionedPanelCount = GridColumns * GridRows;

    QToolBar *SeSkinToolBar1 = nullptr;
    QToolButton *SeSkinSpeedButton1 = nullptr, *SeSkinSpeedButton2 = nullptr, *SeSkinSpeedButton3 = nullptr,
                *SeSkinSpeedButton4 = nullptr, *SeSkinSpeedButton5 = nullptr, *SeSkinSpeedButton6 = nullptr,
                *SeSkinSpeedButton7 = nullptr, *SeSkinSpeedButton8 = nullptr, *SeSkinSpeedButton9 = nullptr,
                *SeSkinSpeedButton10 = nullptr;

    QMenu *File1 = nullptr, *Option1 = nullptr, *Run1 = nullptr, *Help1 = nullptr;
    QMenu *N27Menu = nullptr; // "Bandwidth" submenu; its menu item is N27
    QMenu *IEC1Menu = nullptr; // "THD" submenu; its menu item is IEC1
    QMenu *Language1Menu = nullptr; // Original, English, 中文; its menu item is Language1
    QAction *N2 = nullptr, *N3 = nullptr, *ExportCsv1 = nullptr, *N5 = nullptr, *N7 = nullptr, *C1 = nullptr,
            *N9 = nullptr, *N11 = nullptr, *N25 = nullptr, *N27 = nullptr, *N31 = nullptr, *N32 = nullptr,
            *IEC1 = nullptr, *IEC2 = nullptr, *CSA1 = nullptr, *N30 = nullptr, *Compliance1 = nullptr,
            *N12 = nullptr, *N13 = nullptr, *N14 = nullptr, *N15 = nullptr, *N18 = nullptr, *N20 = nullptr,
            *N21 = nullptr, *Norvo1 = nullptr, *N23 = nullptr, *SetReference1 = nullptr,
            *LoadReference1 = nullptr, *ClearReference1 = nullptr, *Compare1 = nullptr;

    QWidget *Panel1 = nullptr; // client area
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr, *GroupBox4 = nullptr;
    QWidget *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr;
    TPaintBox *Pic1 = nullptr, *Pic2 = nullptr, *Pic3 = nullptr;
    std::array<QLabel *, CaptionedPanelCount> Labels {}; // Label1 .. Label15
    std::array<QLabel *, PanelCount> ValuePanels {}; // indexed by PanelIndex

    QStatusBar *StatusBar = nullptr;
    std::array<QLabel *, StatusPanelCount> StatusPanels {};
    TProgressBar *ProgressBar1 = nullptr;
    TClickImage *Image1 = nullptr;

    QTimer *MOpenTimer = nullptr;
    QTimer *ContinuousReadTimer = nullptr;
    QTimer *ReReadTimer = nullptr;

    TComm *Comm1 = nullptr; // all traffic with the instrument
    TReferenceControl *Reference1 = nullptr; // the reference measurement and its commands
    TWaveCursorControl *WaveCursors1 = nullptr; // cursors A and B on the wave pane

    // Off-screen surfaces of the three panes, made once.
    QImage WaveSurface, UHarmSurface, IHarmSurface;
    QRect PaneRect;
    PaneScales Scales;
    std::vector<double> CurrentLimitPeaks; // empty: no limit marks

    // Handlers
    void FormCreate(const QStringList &arguments);
    // Every text shown in the current language; again at each change of language.
    void retranslateUi();
    void FormResize()
    {
        LayoutPanes();
        DrawMeasurement();
    }
    bool FormCloseQuery();
    void Pic1Paint(QPainter &painter) { painter.drawImage(PaneRect.topLeft(), WaveSurface, PaneRect); }
    void Pic2Paint(QPainter &painter) { painter.drawImage(PaneRect.topLeft(), UHarmSurface, PaneRect); }
    void Pic3Paint(QPainter &painter) { painter.drawImage(PaneRect.topLeft(), IHarmSurface, PaneRect); }
    void MOpenTimerTimer();
    void SeSkinSpeedButton1Click(); // Open measurement file
    void SeSkinSpeedButton2Click(); // Save measurement file
    void ExportCsv1Click() { ExportMeasurementCsvCommand(Measurement); }
    void SeSkinSpeedButton3Click(); // Print
    void SeSkinSpeedButton4Click() { emit WindowRequested(MainWindowRequest::Version); }
    void SeSkinSpeedButton5Click() { emit WindowRequested(MainWindowRequest::Record); }
    void SeSkinSpeedButton6Click() { emit WindowRequested(MainWindowRequest::HarmonicTable); }
    void SeSkinSpeedButton7Click() { startSampling(1); } // Single sampling
    void SeSkinSpeedButton8Click() { startSampling(2); } // Continuous sampling
    void SeSkinSpeedButton9Click(); // Stop
    void SeSkinSpeedButton10Click() { emit WindowRequested(MainWindowRequest::StartingTest); }
    void N7Click() { close(); }
    void C1Click() { emit WindowRequested(MainWindowRequest::Communication); }
    void N9Click() { emit WindowRequested(MainWindowRequest::Style); }
    void N11Click(); // Alarm: the mode byte is asked for, then the window opens
    void N25Click() { emit WindowRequested(MainWindowRequest::Calibration); }
    void N30Click() { emit WindowRequested(MainWindowRequest::Ct); }
    void Compliance1Click() { emit WindowRequested(MainWindowRequest::Compliance); }
    void SetReference1Click() { Reference1->SetReference1Click(); }
    void LoadReference1Click() { Reference1->LoadReference1Click(); }
    void ClearReference1Click() { Reference1->ClearReference1Click(); }
    void Compare1Click() { emit WindowRequested(MainWindowRequest::Compare); }
    void N31Click() { modeCommand(ModeBroadband, false); }
    void N32Click() { modeCommand(ModeBroadband, true); }
    void IEC2Click() { modeCommand(ModeThdCsa, false); }
    void CSA1Click() { modeCommand(ModeThdCsa, true); }
    void N23Click(); // Handbook
    void Image1Click(); // the maker's web site

    void LayoutPanes() { LayoutClientArea(m_area); }
    void DrawMeasurement();
    // Limit marks over the current harmonic pane: a limit per order 0..50 as a peak amplitude
    // (NaN for none); empty takes them away. The pane looks as without them until set.
    void setCurrentLimits(const std::vector<double> &limitPeaks);
    // The command-line file: a measurement file is loaded, a record file opened later.
    void HandleCommandLine(const QStringList &arguments);

    // Replies: the link session keeps their rules; the window shows what it tells
    // (link/forms/Dispatcher.cpp).
    LinkSession *Session = nullptr;
    void Comm1ReceiveData(TComm *sender);
    void HandleFrame(const uint8_t *frame, int n) { Session->handleFrame(frame, n); }
    void ResendLastRead() { Session->resendLastRead(); }
    void ContinuousReadTimerTimer();
    void ReReadTimerTimer();

    // Switches the acquisition controls as the event asks.
    void ApplyControls(AcquisitionEvent event);

    QString statusText(int panel) const { return StatusPanels.at(panel)->text(); }
    void setStatusText(int panel, const QString &text) { StatusPanels.at(panel)->setText(text); }
    // A status text of the window's own (a source text of its context) that follows the language.
    void setStatusSource(int panel, const char *source, const QStringList &arguments = {});
    QLabel *valuePanel(PanelIndex index) const { return ValuePanels[index]; }

    // The maker's web address and location (the version window shows them too).
    static const QString WebAddress;
    static const QString MakerLocation;

signals:
    void MeasurementStored(); // a measurement reply was stored in the record and shown
    void MeasurementOpened(); // a measurement file was loaded into the record and shown
    void WindowRequested(MainWindowRequest window); // the program's start opens the windows

    // Replies for the alarm and starting-test windows.
    void AlarmValueReplied(uint8_t reg, const uint8_t *data);
    void AlarmWriteAcknowledged(uint8_t reg);
    void StartingStatusChanged(const QString &text);
    void StartingCaptureCompleted();
    // The instrument answered the mode-byte request (the first request after connecting).
    void ModeByteReplied();
    void SamplingStarted(); // the connection window's link check counts afresh

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override { event->setAccepted(FormCloseQuery()); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createToolBar();
    void createMenu();
    void createClientArea();
    void createStatusBar();
    void startSampling(uint8_t mode);
    void modeCommand(uint8_t bit, bool set);
    void showModeCaptions(uint8_t bit, bool set);
    void connectSession();

    ClientArea m_area;
};

extern TMainForm *MainForm;
