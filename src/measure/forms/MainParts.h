#pragma once

// The main window's client area (four group boxes, three paint boxes, the parameter grid)
// and its status bar, built from the plain tables and laid out by the pane arithmetic.

#include "measure/MainControls.h"
#include "measure/PaneDrawing.h"
#include "measure/PaneLayout.h"
#include "widgets/PaintBox.h"

#include <QHash>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QStyleOptionProgressBar>

#include <array>
#include <initializer_list>
#include <vector>

class QGroupBox;
class QStatusBar;
class TReferenceControl;
class TWaveCursorControl;

// A progress bar whose repaints touch only its own pixels: it keeps what lies behind it
// from one rendering of the window and draws that first, so a step never repaints the
// status bar or the window under it; and it draws each step's face once. Until it holds
// that background (after a move, a resize or a change of style) it paints as any progress
// bar does.
class TProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit TProgressBar(QWidget *parent = nullptr);

    // Sets the value without painting: the owner repaints each step itself. While the bar
    // holds its background, a value strictly between the ends is shown but not made the
    // bar's value() (the ends are).
    void setValue(int value);

    // Takes the background now unless it is held already; never call it from a paint event.
    void keepBackground();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void takeValue(int value);

    QPixmap m_background;
    QHash<qint64, QPixmap> m_faces; // by value and state
    QStyleOptionProgressBar m_option; // as the faces are drawn
    bool m_backgroundValid = false;
    bool m_rendering = false;
    bool m_keepQueued = false;
    int m_step = 0; // the value shown: the bar's value, or a step between the ends
};

struct ClientArea
{
    QWidget *panel = nullptr; // Panel1
    std::array<QGroupBox *, 4> boxes {}; // GroupBox1 .. GroupBox4
    std::array<QWidget *, 3> picturePanels {}; // Panel2 .. Panel4
    std::array<TPaintBox *, 3> pics {}; // Pic1 .. Pic3
    std::array<QLabel *, GridColumns * GridRows> labels {}; // Label1 .. Label15
    std::array<QLabel *, PanelCount> values {}; // by PanelIndex
    // What the panes draw over the measurement, when set: the reference and the wave cursors.
    const TReferenceControl *reference = nullptr;
    const TWaveCursorControl *cursors = nullptr;
};
ClientArea BuildClientArea(QWidget *parent);
void LayoutClientArea(const ClientArea &area);

// Enables or disables each group of controls (buttons or menu items, in the order of
// AcquisitionControl) as `switches` says; a group whose switch is Keep stays as it is.
void ApplySwitches(const ControlSwitches &switches,
    const std::array<std::initializer_list<QObject *>, AcquisitionControlCount> &groups);

// The off-screen surfaces of the three panes, made once at half the screen's size and
// filled with the drawing background (black before the stored colours are read).
void MakePaneSurfaces(std::initializer_list<QImage *> surfaces);
// Writes the fifteen value panels and draws the wave pane and both harmonic panes onto
// their surfaces (a NaN reactive power becomes 0 in the record first); returns the part of
// the surfaces that the paint boxes show.
// `currentLimits` (a peak amplitude per order, NaN for none; empty for no marks) are drawn
// over the current spectrum; the area's reference and cursors over the panes (PaneOverlay).
QRect DrawClientArea(const ClientArea &area, MeasurementRecord &record, QImage &wave, QImage &uHarm,
    QImage &iHarm, PaneScales &scales, const std::vector<double> &currentLimits);
// Draws the current spectrum alone again, with its limit marks, as DrawClientArea draws it.
void DrawCurrentSpectrum(const ClientArea &area, const MeasurementRecord &record, QImage &iHarm,
    PaneScales &scales, const std::vector<double> &currentLimits);
// What the area's reference and cursors put over the panes now.
PaneOverlay OverlayOf(const ClientArea &area);

// The main window's status bar panels, left to right. Panel 3 holds the progress bar, 5 the
// maker's picture.
enum StatusPanel {
    PanelCommunication,
    PanelStatus,
    PanelProgressCaption,
    PanelProgress,
    PanelDate,
    PanelImage,
    PanelMaker,
    StatusPanelCount
};

// A status panel that draws its text in a smaller size of its face when the panel is too
// narrow for it (a long date and time in some locales), down to 8 pixels, instead of cutting
// it off; at its own size it draws as any label.
class TFitLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The width a label's text takes as drawn: the text in the face it is shown with and the
// indent the label leaves beside a frame.
int ShownTextWidth(const QLabel &label);

struct StatusBarParts
{
    std::array<QLabel *, StatusPanelCount> panels {};
    TProgressBar *progress = nullptr;
    TClickImage *image = nullptr;
};
// `picture`: the maker's logo, relative to the program's directory.
StatusBarParts BuildStatusBar(QStatusBar *bar, const QString &picture);
