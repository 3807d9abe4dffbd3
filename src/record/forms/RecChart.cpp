// The record window's chart: the redraw and the view commands.

#include "base/Platform.h"
#include "measure/DrawingColours.h"
#include "record/ChartDrawing.h"
#include "record/forms/ChartPaintBox.h"
#include "record/forms/Rec.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

int TRecordForm::shownCount() const
{
    return View.mode == ChartMode::Record ? Record.count() : LoadedLast;
}

ChartRecord TRecordForm::shownRecord() const
{
    if (View.mode == ChartMode::Record)
        return { &Record.live(), Record.count() - 1 };
    return { &LoadedRecord, LoadedLast };
}

void TRecordForm::DrawChart()
{
    const int W = Pic4->width();
    const int H = Pic4->height();
    const QSize needed = ChartSurfaceSize(W, H);
    if (TraceSurface.width() < needed.width() || TraceSurface.height() < needed.height()) {
        TraceSurface = QImage(needed, QImage::Format_RGB32);
        AxisSurface = QImage(QSize(50, needed.height()), QImage::Format_RGB32);
    }

    ChartColumns columns;
    if (RecordFileReady) {
        const ChartRecord record = shownRecord();
        columns = LayoutColumns(View, record, W, H);
        const ChartStatusTexts texts = StatusTexts(View, record, columns);
        setStatusText(0, texts.compression);
        setStatusText(4, texts.length);
        if (texts.start)
            setStatusText(2, *texts.start);
        if (texts.end)
            setStatusText(3, *texts.end);
    }
    DrawTraceArea(TraceSurface, W, H, View, columns, RecordFileReady, WaveBackgroundColor, WaveScaleColor);
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const std::optional<int> top = MarkerTop(View, columns, ch);
        if (top) {
            Image[ch]->move(0, *top);
            Image[ch]->show();
        } else if (!View.visible[ch]) {
            Image[ch]->hide();
        }
    }
    DrawAxisStrip(AxisSurface, H, View.range);
    Pic4->update();
    Pic5->update();
}

void TRecordForm::applyEffects(const NavigationEffects &effects)
{
    const auto enable = [](const std::optional<bool> &state, QToolButton *button, QAction *item) {
        if (state) {
            button->setEnabled(*state);
            item->setEnabled(*state);
        }
    };
    enable(effects.zoomOutEnabled, SeSkinSpeedButton7, BackwardCompression1);
    enable(effects.zoomInEnabled, SeSkinSpeedButton8, ForwardExpansion1);
    enable(effects.moveLeftEnabled, SeSkinSpeedButton9, MoveLeft1);
    enable(effects.moveRightEnabled, SeSkinSpeedButton10, MoveRight1);
    if (effects.gridIntervalMs)
        GridTimer->setInterval(*effects.gridIntervalMs);
    // Setting a position runs the control's own change handling when it moves, as a
    // user's move would.
    if (effects.trackPosition)
        TrackBar1->setValue(*effects.trackPosition);
    if (effects.scrollPosition)
        SeSkinScrollBar1->setValue(*effects.scrollPosition);
}

void TRecordForm::SeSkinSpeedButton7Click()
{
    applyEffects(ZoomOut(View, shownCount(), Pic4->width()));
    DrawChart();
}

void TRecordForm::SeSkinSpeedButton8Click()
{
    applyEffects(ZoomIn(View, shownCount()));
    DrawChart();
}

void TRecordForm::SeSkinSpeedButton9Click()
{
    applyEffects(MoveLeft(View, shownCount()));
    DrawChart();
}

void TRecordForm::SeSkinSpeedButton10Click()
{
    applyEffects(MoveRight(View, shownCount()));
    DrawChart();
}

void TRecordForm::SeSkinScrollBar1Change()
{
    if (ScrollTo(View, SeSkinScrollBar1->value(), shownCount(), Pic4->width()))
        ScrollBar1ChangeTimer->start();
}

void TRecordForm::TrackBar1Change()
{
    applyEffects(TrackTo(View, TrackBar1->value(), shownCount(), Pic4->width()));
    ScrollBar1ChangeTimer->start();
}

void TRecordForm::ScrollBar1ChangeTimerTimer()
{
    ScrollBar1ChangeTimer->stop();
    DrawChart();
}

void TRecordForm::GridTimerTimer()
{
    View.gridShift = View.gridShift >= 19 ? 0 : View.gridShift + 1;
}

void TRecordForm::setModeFace(bool record)
{
    // The face is read each time, so a picture put back is found; a missing one is
    // reported with the system's text after the switch.
    QString error;
    const QPixmap face = LoadPenPicture(record ? QStringLiteral("12.dat") : QStringLiteral("13.dat"), &error);
    if (face.isNull()) {
        platform::dialogs().message(error, Dialogs::Icon::Error);
        return;
    }
    SeSkinSpeedButton11->setIcon(QIcon(face));
}

void TRecordForm::SeSkinSpeedButton11Click()
{
    const NavigationEffects effects = SwitchMode(View, Record.count(), LoadedLast);
    DrawChart();
    const ChartMode mode = View.mode;
    setStatusText(5, [mode] { return ModeStatusText(mode); });
    applyEffects(effects);
    setModeFace(View.mode == ChartMode::Record);
}

void TRecordForm::SeSkinButton19Click()
{
    StepRange(View);
    DrawChart();
    const RangeMode range = View.range;
    setStatusText(6, [range] { return RangeStatusText(range); });
}

void TRecordForm::ScaleUpClick(int channel)
{
    const ChannelButtons buttons = ScaleUp(View, channel);
    ScaleUpButton[channel]->setEnabled(buttons.scaleUpEnabled);
    ScaleDownButton[channel]->setEnabled(buttons.scaleDownEnabled);
    DrawChart();
}

void TRecordForm::ScaleDownClick(int channel)
{
    const ChannelButtons buttons = ScaleDown(View, channel);
    ScaleUpButton[channel]->setEnabled(buttons.scaleUpEnabled);
    ScaleDownButton[channel]->setEnabled(buttons.scaleDownEnabled);
    DrawChart();
}

void TRecordForm::ChannelOnOffClick(int channel)
{
    const ChannelButtons buttons = ToggleChannel(View, channel);
    const bool on = View.visible[channel];
    ChannelTag[channel]->setEnabled(on);
    ChannelCaption[channel]->setEnabled(on);
    ChannelValue[channel]->setEnabled(on);
    Image[channel]->setVisible(on);
    ScaleUpButton[channel]->setEnabled(buttons.scaleUpEnabled);
    ScaleDownButton[channel]->setEnabled(buttons.scaleDownEnabled);
    DrawChart();
}

void TRecordForm::Pic4DblClick()
{
    TrackBar1->setVisible(TrackBar1->isHidden());
}

void TRecordForm::Pic4MouseMove(int X)
{
    // The arrow's tip (its middle column) over column X of the trace area.
    iLedArrow1->move(Pic4->x() + X - iLedArrow1->width() / 2, iLedArrow1->y());
    if (!RecordFileReady)
        return;
    const std::optional<int> sample = CursorSample(View, X, Record.count(), LoadedLast);
    if (!sample)
        return;
    const RecordArrays &arrays = View.mode == ChartMode::Record ? Record.live() : LoadedRecord;
    const CursorTexts texts = CursorReadout(View.mode, arrays, *sample);
    m_cursorCaptions = false;
    Label19->setText(texts.date);
    Label20->setText(texts.time);
    for (int ch = 0; ch < RecordChannels; ++ch)
        ChannelValue[ch]->setText(texts.values[ch]);
}
