#pragma once

// The record window: records six chosen quantities during continuous sampling into a
// record file, opens record files again and browses both on a strip chart. The window
// reads its controls and calls the record core (Recorder, ReadRecordFile, ChartView,
// ChartDrawing); Rec.cpp builds the controls, RecCommands.cpp holds the file and run
// commands and the ticks, RecChart.cpp the chart and its navigation.

#include "record/ChartView.h"
#include "record/Recorder.h"
#include "report/RecordReport.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <functional>

class ArrowMarker;
class ChartPaintBox;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QSlider;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

class TRecordForm : public QDialog
{
    Q_OBJECT

public:
    explicit TRecordForm(QWidget *parent = nullptr);
    ~TRecordForm() override;

    // Status bar panels 0..6, and the two notice panels in the row above them, shown only
    // while they say something: why sampling ticks take no sample, and why saves fail.
    static constexpr int SamplingNoticePanel = 7;
    static constexpr int SavingNoticePanel = 8;
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString &text);
    // The panel's text made again at every change of language.
    void setStatusText(int panel, std::function<QString()> make);

    // Sets every text of the window in the current language and redraws the chart.
    void retranslateUi();

    // The live record and its file, and the loaded record.
    Recorder Record;
    RecordArrays LoadedRecord;
    int LoadedLast = -1;
    // The loaded record's file and the signals its channels hold.
    QString LoadedFileName;
    std::array<uint8_t, RecordChannels> LoadedSignals {};
    bool RecordFileReady = false;
    int RecordCount() const { return Record.count(); }
    ChartView View;

    // Settings confirmed in the settings window: intervals, status panels 0 and 1,
    // channels and captions (Chinese). An index outside a table leaves its part as it is.
    void applyRecordSettings(const RecordSettings &settings);

    // Reads a record file into the loaded record and shows it in read mode. Errors
    // propagate as EInOutError, leaving mode, captions and texts as they were.
    void openRecordFile(const QString &fileName, bool fromCommandLine);

    // The redraw of the chart: layout, status panels, trace area, markers and axis strip.
    void DrawChart();
    const QImage &traceSurface() const { return TraceSurface; }
    const QImage &axisSurface() const { return AxisSurface; }

    // What the record report shows of this window: the chart's record and view, the channel
    // captions, the status texts and the chart as displayed.
    RecordReportInput recordReportInput() const;
    // Keeps the overflow marks computed for a printed record report.
    void keepPrintedOverflowMarks(const RecordPagePoints &points);

    // Handlers.
    void SeSkinSpeedButton1Click(); // Open
    void SeSkinSpeedButton12Click(); // New
    void SeSkinSpeedButton3Click(); // Print
    void SeSkinSpeedButton4Click(); // Setting
    void SeSkinSpeedButton5Click(); // Start
    void SeSkinSpeedButton6Click(); // Stop
    void Exit1Click();
    // Writes the record the chart shows (the loaded one in read mode, else the live one) as
    // CSV into a file the user chooses.
    void ExportCsv1Click();
    void Timer1Timer(); // sampling tick
    void TimerSaveTimer(); // save tick
    void OpenTimerTimer();
    // One more save of the samples taken since the last one (Stop, closing the window, the
    // program's end). A failure is shown as the save tick shows it.
    void SaveTakenSamples();
    void GridTimerTimer();
    void ScrollBar1ChangeTimerTimer();
    void SeSkinSpeedButton7Click(); // Backward Compression
    void SeSkinSpeedButton8Click(); // Forward Expansion
    void SeSkinSpeedButton9Click(); // Move Left
    void SeSkinSpeedButton10Click(); // Move Right
    void SeSkinSpeedButton11Click(); // Mode
    void SeSkinButton19Click(); // Range
    void ScaleUpClick(int channel);
    void ScaleDownClick(int channel);
    void ChannelOnOffClick(int channel);
    void SeSkinScrollBar1Change();
    void TrackBar1Change();
    void Pic4DblClick();
    void Pic4MouseMove(int X);

    // Menus.
    QMenuBar *MainMenu1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Print1 = nullptr;
    QAction *ExportCsv1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *Setting1 = nullptr;
    QAction *Starting1 = nullptr;
    QAction *Stop1 = nullptr;
    QAction *BackwardCompression1 = nullptr;
    QAction *ForwardExpansion1 = nullptr;
    QAction *MoveLeft1 = nullptr;
    QAction *MoveRight1 = nullptr;

    // Tool bar.
    QToolBar *SeSkinToolBar1 = nullptr;
    QToolButton *SeSkinSpeedButton1 = nullptr;
    QToolButton *SeSkinSpeedButton12 = nullptr;
    QToolButton *SeSkinSpeedButton3 = nullptr;
    QToolButton *SeSkinSpeedButton4 = nullptr;
    QToolButton *SeSkinSpeedButton5 = nullptr;
    QToolButton *SeSkinSpeedButton6 = nullptr;
    QToolButton *SeSkinSpeedButton11 = nullptr;
    QToolButton *SeSkinSpeedButton9 = nullptr;
    QToolButton *SeSkinSpeedButton10 = nullptr;
    QToolButton *SeSkinSpeedButton7 = nullptr;
    QToolButton *SeSkinSpeedButton8 = nullptr;

    // Chart.
    QGroupBox *GroupBox1 = nullptr;
    QWidget *Panel2 = nullptr;
    QWidget *Panel13 = nullptr;
    std::array<QLabel *, RecordChannels> Image {}; // Image1 .. Image6
    ChartPaintBox *Pic4 = nullptr;
    ChartPaintBox *Pic5 = nullptr;
    QScrollBar *SeSkinScrollBar1 = nullptr;
    QPushButton *SeSkinButton19 = nullptr;
    QSlider *TrackBar1 = nullptr;
    ArrowMarker *iLedArrow1 = nullptr;

    // Channel panels.
    QGroupBox *GroupBox2 = nullptr;
    std::array<QFrame *, RecordChannels> ChannelPanel {}; // Panel3 .. Panel8
    std::array<QLabel *, RecordChannels> ChannelTag {}; // Label1 .. Label6
    std::array<QLabel *, RecordChannels> ChannelCaption {}; // Label7 .. Label12
    std::array<QLabel *, RecordChannels> ChannelValue {}; // Label13 .. Label18
    std::array<QPushButton *, RecordChannels> ScaleUpButton {};
    std::array<QPushButton *, RecordChannels> ScaleDownButton {};
    std::array<QPushButton *, RecordChannels> OnOffButton {};
    QFrame *Panel9 = nullptr;
    QLabel *Label19 = nullptr; // date
    QLabel *Label20 = nullptr; // time

    QStatusBar *StatusBar1 = nullptr;
    QStatusBar *NoticeBar = nullptr; // the notice panels 7 and 8

    QTimer *Timer1 = nullptr;
    QTimer *TimerSave = nullptr;
    // 1000 ms, off; the main window starts it one second after start-up when the program
    // was started with a record file.
    QTimer *OpenTimer = nullptr;
    QTimer *GridTimer = nullptr;
    QTimer *ScrollBar1ChangeTimer = nullptr;

signals:
    void PrintRequested(); // the record report is to be shown in the print window

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Closing (Exit, the close button, Esc) only hides the window; it saves first.
    void hideEvent(QHideEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildChart();
    void buildChannels();
    void buildStatusBar();
    void readSettings();
    void placeChart();
    int shownCount() const;
    ChartRecord shownRecord() const;
    void applyEffects(const NavigationEffects &effects);
    void setModeFace(bool record);

    QImage TraceSurface;
    QImage AxisSurface;
    // Writes the record into its file; a failure goes to the saving notice panel and, once
    // until a save succeeds again, to a notice that does not wait for the user.
    void saveRecord();

    // Shows a channel's caption, made again at every change of language.
    void setChannelCaption(int channel, std::function<QString()> make);

    std::array<QLabel *, 9> m_panels {};
    std::array<std::function<QString()>, 9> m_panelTexts {};
    std::array<std::function<QString()>, RecordChannels> m_captionTexts {};
    // Whether the cursor labels show the window's own captions rather than a readout.
    bool m_cursorCaptions = true;
    // Menus, and controls whose texts are set only by retranslateUi.
    QMenu *m_fileMenu = nullptr;
    QMenu *m_optionMenu = nullptr;
    QMenu *m_runMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QLabel *m_cursorTitle = nullptr;

    bool m_saveFailing = false;
};

extern TRecordForm *RecordForm;
