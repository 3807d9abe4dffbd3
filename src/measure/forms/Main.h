#pragma once

// The main window: tool bar, menu, the parameter panel and the three panes, the status bar,
// the acquisition commands and (in link/forms/Dispatcher.cpp) the handling of every reply
// of the instrument.

#include "measure/PaneDrawing.h"
#include "measure/PanelTexts.h"

#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QGroupBox;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;
class TComm;

// A paint box: its paint event only hands a painter to the owner's paint handler.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);
    std::function<void(QPainter &)> OnPaint;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A picture that reacts to a click (the maker's logo in the status bar).
class TClickImage : public QLabel
{
    Q_OBJECT

public:
    explicit TClickImage(QWidget *parent = nullptr);
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // `arguments` is the program's command line (program path first), as the start
    // sequence passes it; tests pass their own.
    explicit TMainForm(QWidget *parent = nullptr, const QStringList &arguments = {});
    ~TMainForm() override;

    // Status bar panels, left to right.
    enum StatusPanel {
        PanelCommunication = 0,
        PanelStatus = 1,
        PanelProgressCaption = 2,
        PanelProgress = 3,
        PanelDate = 4,
        PanelImage = 5,
        PanelMaker = 6,
        StatusPanelCount = 7
    };
    static constexpr int CaptionedPanelCount = 15;

    // Tool bar
    QToolBar *SeSkinToolBar1 = nullptr;
    QToolButton *SeSkinSpeedButton1 = nullptr;
    QToolButton *SeSkinSpeedButton2 = nullptr;
    QToolButton *SeSkinSpeedButton3 = nullptr;
    QToolButton *SeSkinSpeedButton4 = nullptr;
    QToolButton *SeSkinSpeedButton5 = nullptr;
    QToolButton *SeSkinSpeedButton6 = nullptr;
    QToolButton *SeSkinSpeedButton7 = nullptr;
    QToolButton *SeSkinSpeedButton8 = nullptr;
    QToolButton *SeSkinSpeedButton9 = nullptr;
    QToolButton *SeSkinSpeedButton10 = nullptr;

    // Menu
    QMenu *File1 = nullptr;
    QMenu *Option1 = nullptr;
    QMenu *Run1 = nullptr;
    QMenu *Help1 = nullptr;
    QMenu *N27Menu = nullptr; // "Bandwidth" submenu; its menu item is N27
    QMenu *IEC1Menu = nullptr; // "THD" submenu; its menu item is IEC1
    QAction *N2 = nullptr;
    QAction *N3 = nullptr;
    QAction *N5 = nullptr;
    QAction *N7 = nullptr;
    QAction *C1 = nullptr;
    QAction *N9 = nullptr;
    QAction *N11 = nullptr;
    QAction *N25 = nullptr;
    QAction *N27 = nullptr;
    QAction *N31 = nullptr;
    QAction *N32 = nullptr;
    QAction *IEC1 = nullptr;
    QAction *IEC2 = nullptr;
    QAction *CSA1 = nullptr;
    QAction *N30 = nullptr;
    QAction *N12 = nullptr;
    QAction *N13 = nullptr;
    QAction *N14 = nullptr;
    QAction *N15 = nullptr;
    QAction *N18 = nullptr;
    QAction *N20 = nullptr;
    QAction *N21 = nullptr;
    QAction *Norvo1 = nullptr;
    QAction *N23 = nullptr;

    // Client area
    QWidget *Panel1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    QWidget *Panel2 = nullptr;
    QWidget *Panel3 = nullptr;
    QWidget *Panel4 = nullptr;
    TPaintBox *Pic1 = nullptr;
    TPaintBox *Pic2 = nullptr;
    TPaintBox *Pic3 = nullptr;
    std::array<QLabel *, CaptionedPanelCount> Labels {}; // Label1 .. Label15
    std::array<QLabel *, PanelCount> ValuePanels {}; // indexed by PanelIndex

    // Status bar
    QStatusBar *StatusBar = nullptr;
    std::array<QLabel *, StatusPanelCount> StatusPanels {}; // panel 3 holds the progress bar, 5 the picture
    QProgressBar *ProgressBar1 = nullptr;
    TClickImage *Image1 = nullptr;

    // Timers
    QTimer *MOpenTimer = nullptr;
    QTimer *ContinuousReadTimer = nullptr;
    QTimer *ReReadTimer = nullptr;

    // All traffic with the instrument.
    TComm *Comm1 = nullptr;

    // Off-screen surfaces of the three panes, made once.
    QImage WaveSurface;
    QImage UHarmSurface;
    QImage IHarmSurface;
    QRect PaneRect;
    PaneScales Scales;

    // Handlers
    void FormCreate(const QStringList &arguments);
    void FormResize();
    bool FormCloseQuery();
    void Pic1Paint(QPainter &painter);
    void Pic2Paint(QPainter &painter);
    void Pic3Paint(QPainter &painter);
    void MOpenTimerTimer();
    void SeSkinSpeedButton1Click(); // Open measurement file
    void SeSkinSpeedButton2Click(); // Save measurement file
    void SeSkinSpeedButton3Click(); // Print
    void SeSkinSpeedButton4Click(); // Version
    void SeSkinSpeedButton5Click(); // Record window
    void SeSkinSpeedButton6Click(); // Harmonic table
    void SeSkinSpeedButton7Click(); // Single sampling
    void SeSkinSpeedButton8Click(); // Continuous sampling
    void SeSkinSpeedButton9Click(); // Stop
    void SeSkinSpeedButton10Click(); // Starting test
    void N7Click();
    void C1Click();
    void N9Click();
    void N11Click();
    void N25Click();
    void N30Click();
    void N31Click();
    void N32Click();
    void IEC2Click();
    void CSA1Click();
    void N23Click();
    void Image1Click();

    // Displays
    void LayoutPanes();
    void DrawMeasurement();
    // The command-line file: a measurement file is loaded, a record file opened later.
    void HandleCommandLine(const QStringList &arguments);

    // Reply dispatcher (link/forms/Dispatcher.cpp)
    void Comm1ReceiveData(TComm *sender);
    void ResendLastRead();
    void ContinuousReadTimerTimer();
    void ReReadTimerTimer();
    // Steps of the receive handler, each usable on its own.
    void PacedWait(); // progress bar, the 20 ms sleep and the fifty paced steps
    void SettleWait(); // waits while a long reply is still arriving
    void HandleFrame(const uint8_t *frame, int n); // a fetched reply of n bytes
    void HandleMeasurementFrame(const uint8_t *frame);
    void HandleStartingPage(const uint8_t *frame);
    void HandleRegisterReply(const uint8_t *frame, int n);
    void HandleModeByte(uint8_t mode);
    void HandleWriteAcknowledge(uint8_t reg);
    void HandleTriggerNotice();
    // Menu captions of the bandwidth and THD items for a mode byte.
    void ShowModeCaptions(uint8_t mode);
    // The arrow marks the chosen bandwidth and THD convention.
    void ShowBandwidthCaptions(bool broadband);
    void ShowThdCaptions(bool csa);
    // Index of the speed chosen in the connection window, -1 when none.
    int SelectedBaudIndex() const;

    // Per-step wait (ms) of the paced reply wait for a speed index; 0 for none.
    static int StepWaitMs(int baudIndex);

    // Small accessors for tests and other windows.
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString &text);
    QLabel *valuePanel(PanelIndex index) const { return ValuePanels[index]; }

    // The maker's web address and location (the version window shows them too).
    static const QString WebAddress;
    static const QString MakerLocation;

signals:
    // A measurement reply was stored in the record and shown.
    void MeasurementStored();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createToolBar();
    void createMenu();
    void createClientArea();
    void createStatusBar();
    void createTimers();
    void sendModeWord();
    void showError(const QString &text);

    bool m_inReceive = false; // the receive handler is running (it must never nest)
};

extern TMainForm *MainForm;
