#include "measure/forms/MainParts.h"

#include "widgets/TranslatedText.h"

#include "appearance/Pictures.h"

#include "link/Reply.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Reference.h"
#include "measure/forms/WaveCursorControl.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionProgressBar>

#include <cstdlib>

namespace {
constexpr int ValuePanelHeight = 33;
}

TProgressBar::TProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    // A value set as any progress bar's is what is shown from then on.
    m_step = value();
    connect(this, &QProgressBar::valueChanged, this, [this](int value) { m_step = value; });
}

bool TProgressBar::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::ParentChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::ActivationChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ScreenChangeInternal:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
        m_backgroundValid = false;
        m_faces.clear();
        if (m_step != value()) // painted as any progress bar from now on: the step becomes the value
            takeValue(m_step);
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        break;
    default:
        break;
    }
    return QProgressBar::event(event);
}

void TProgressBar::setValue(int value)
{
    // While the background is held, a step between the ends is only painted: nothing can read
    // the bar while the paced wait holds the thread, and as the bar's value each step would
    // cost an accessibility event and the style's arithmetic. The ends are the bar's value.
    if (m_backgroundValid && value > minimum() && value < maximum()) {
        m_step = value;
        return;
    }
    takeValue(value);
}

void TProgressBar::takeValue(int value)
{
    // QProgressBar repaints at once on its own; the caller's repaint is the one that shows.
    setUpdatesEnabled(false);
    QProgressBar::setValue(value);
    setUpdatesEnabled(true);
    m_step = this->value(); // a value outside the range leaves the bar as it was
}

void TProgressBar::keepBackground()
{
    if (m_backgroundValid || !isVisible())
        return;
    // The window is rendered as if the bar were not there.
    QWidget *top = window();
    const qreal ratio = devicePixelRatioF();
    QPixmap background((QSizeF(size()) * ratio).toSize());
    background.setDevicePixelRatio(ratio);
    background.fill(Qt::transparent);
    m_rendering = true;
    top->render(&background, QPoint(), QRegion(QRect(mapTo(top, QPoint(0, 0)), size())));
    m_rendering = false;
    m_background = background;
    m_faces.clear();
    m_backgroundValid = true;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void TProgressBar::paintEvent(QPaintEvent *event)
{
    if (m_rendering)
        return;
    if (!m_backgroundValid) {
        if (!m_keepQueued) {
            m_keepQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_keepQueued = false;
                    keepBackground();
                },
                Qt::QueuedConnection);
        }
        QProgressBar::paintEvent(event);
        return;
    }
    // Each step's face is drawn once, as the bar draws itself, over the kept background. The
    // style option is made once for all faces: the events that change it drop the faces too.
    if (m_faces.isEmpty())
        initStyleOption(&m_option);
    QStyleOptionProgressBar option = m_option;
    option.minimum = minimum();
    option.maximum = maximum();
    option.progress = m_step;
    if (option.textVisible)
        option.text = text();
    const qint64 key = qint64(option.progress) << 32 | qint64(option.state.toInt());
    auto face = m_faces.find(key);
    if (face == m_faces.end()) {
        QPixmap pixmap = m_background;
        QPainter painter(&pixmap);
        // As a painter on the bar itself starts.
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        painter.setBackground(palette().brush(backgroundRole()));
        style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
        painter.end();
        face = m_faces.insert(key, pixmap);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, face.value());
}

ClientArea BuildClientArea(QWidget *parent)
{
    ClientArea area;
    area.panel = new QWidget(parent);
    area.panel->setObjectName(QStringLiteral("Panel1"));
    const char *boxCaptions[]
        = { QT_TRANSLATE_NOOP("TMainForm", " WAVE "), QT_TRANSLATE_NOOP("TMainForm", "Parameter "),
              QT_TRANSLATE_NOOP("TMainForm", "   UTHD  "), QT_TRANSLATE_NOOP("TMainForm", "   ITHD  ") };
    for (int i = 0; i < 4; ++i) {
        area.boxes[i] = new QGroupBox(area.panel);
        SetTranslatedText(area.boxes[i], "title", "TMainForm", boxCaptions[i]);
        area.boxes[i]->setObjectName(QStringLiteral("GroupBox%1").arg(i + 1));
    }
    const int pictureBoxes[] = { 0, 2, 3 };
    for (int i = 0; i < 3; ++i) {
        area.picturePanels[i] = new QWidget(area.boxes[pictureBoxes[i]]);
        area.picturePanels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 2));
        area.pics[i] = new TPaintBox(area.picturePanels[i]);
        area.pics[i]->setObjectName(QStringLiteral("Pic%1").arg(i + 1));
    }

    // The grid leaves 32 to 48 pixels before each value panel: a narrow face keeps the
    // captions clear of the panels.
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    QPalette labelPalette = parent->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    QFont valueFont(QStringLiteral("Tahoma"));
    valueFont.setPixelSize(17);
    QPalette valuePalette = parent->palette();
    valuePalette.setColor(QPalette::Window, parent->palette().color(QPalette::HighlightedText));
    valuePalette.setColor(QPalette::WindowText, QColor(0, 128, 128));

    QGroupBox *grid = area.boxes[1];
    for (int column = 0; column < GridColumns; ++column) {
        for (int row = 0; row < GridRows; ++row) {
            const GridCell &cell = GridCellAt(column, row);
            const int number = column * GridRows + row + 1;
            auto *label = new QLabel(grid);
            SetTranslatedText(label, "text", "TMainForm", cell.caption);
            label->setObjectName(QStringLiteral("Label%1").arg(number));
            label->setFont(labelFont);
            label->setPalette(labelPalette);
            area.labels[number - 1] = label;

            auto *panel = new QLabel(grid);
            panel->setObjectName(QString::fromLatin1(PanelName(cell.panel)));
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Sunken);
            panel->setAlignment(Qt::AlignCenter);
            panel->setAutoFillBackground(true);
            panel->setPalette(valuePalette);
            panel->setFont(valueFont);
            area.values[cell.panel] = panel;
        }
    }
    return area;
}

void ApplySwitches(const ControlSwitches &switches,
    const std::array<std::initializer_list<QObject *>, AcquisitionControlCount> &groups)
{
    // Buttons and menu items share no base with setEnabled, but both have the property.
    for (int control = 0; control < AcquisitionControlCount; ++control)
        if (switches[control] != Switch::Keep)
            for (QObject *target : groups[control])
                target->setProperty("enabled", switches[control] == Switch::On);
}

void LayoutClientArea(const ClientArea &area)
{
    const PaneLayout layout = LayoutPaneGeometry(area.panel->width(), area.panel->height());
    for (int i = 0; i < 4; ++i)
        area.boxes[i]->setGeometry(layout.groupBox[i]);
    for (QWidget *panel : area.picturePanels)
        panel->setGeometry(layout.picturePanel);
    for (TPaintBox *pic : area.pics)
        pic->setGeometry(0, 0, layout.picturePanel.width(), layout.picturePanel.height());
    for (int column = 0; column < GridColumns; ++column) {
        for (int row = 0; row < GridRows; ++row) {
            QLabel *label = area.labels[column * GridRows + row];
            label->adjustSize();
            label->move(layout.labelLeft[column], layout.labelTop[row]);
            area.values[GridCellAt(column, row).panel]->setGeometry(
                layout.panelLeft[column], layout.panelTop[row], layout.panelWidth, ValuePanelHeight);
        }
    }
}

void MakePaneSurfaces(std::initializer_list<QImage *> surfaces)
{
    QSize size(640, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = QSize(screen->size().width() / 2, screen->size().height() / 2);
    for (QImage *surface : surfaces) {
        // Zeroed memory is black already: a black surface comes from calloc, which hands out
        // fresh memory without writing it, and the start is spared writing three screen
        // quarters that every drawing fills again anyway.
        const qsizetype bytes = qsizetype(size.width()) * size.height() * 4;
        void *pixels = WaveBackgroundColor == QColor(Qt::black) ? std::calloc(size_t(bytes), 1) : nullptr;
        if (pixels) {
            *surface = QImage(static_cast<uchar *>(pixels), size.width(), size.height(), size.width() * 4,
                QImage::Format_RGB32, std::free, pixels);
        } else {
            *surface = QImage(size, QImage::Format_RGB32);
            surface->fill(WaveBackgroundColor);
        }
    }
}

PaneOverlay OverlayOf(const ClientArea &area)
{
    PaneOverlay overlay;
    if (area.reference && area.reference->reference())
        overlay.reference = &area.reference->reference()->record;
    if (area.cursors)
        overlay.cursors = area.cursors->cursors();
    return overlay;
}

void DrawCurrentSpectrum(const ClientArea &area, const MeasurementRecord &record, QImage &iHarm,
    PaneScales &scales, const std::vector<double> &currentLimits)
{
    const int w = area.pics[2]->width();
    const int h = area.pics[2]->height();
    const PaneOverlay overlay = OverlayOf(area);
    DrawHarmonicPane(iHarm, w, h, record.IHarm, QColor(223, 48, 32), scales.iHarm, ChosenDrawingColours(),
        overlay.reference ? overlay.reference->IHarm : nullptr);
    if (currentLimits.size() == size_t(HarmonicCount))
        DrawHarmonicLimitTicks(iHarm, w, h, currentLimits.data(), scales.iHarm, QColor(30, 30, 160));
    area.pics[2]->update();
}

QRect DrawClientArea(const ClientArea &area, MeasurementRecord &record, QImage &wave, QImage &uHarm,
    QImage &iHarm, PaneScales &scales, const std::vector<double> &currentLimits)
{
    if (IsNaNBits(record.PQ))
        record.PQ = 0.0f;
    const std::array<QString, PanelCount> texts = PanelTexts(record);
    for (int i = 0; i < PanelCount; ++i)
        area.values[i]->setText(texts[i]);

    const int w = area.pics[0]->width();
    const int h = area.pics[0]->height();
    const DrawingColours colours = ChosenDrawingColours();
    const PaneOverlay overlay = OverlayOf(area);
    DrawWavePane(wave, w, h, record, scales, colours, overlay);
    DrawHarmonicPane(uHarm, w, h, record.UHarm, QColor(0, 128, 0), scales.uHarm, colours,
        overlay.reference ? overlay.reference->UHarm : nullptr);
    area.pics[0]->update();
    area.pics[1]->update();
    DrawCurrentSpectrum(area, record, iHarm, scales, currentLimits);
    return QRect(0, 0, w, h);
}

namespace {
// The indent QLabel leaves on its aligned side: half an "x" beside a frame unless set.
int labelIndent(const QLabel &label, const QFont &font)
{
    if (label.indent() >= 0)
        return label.indent();
    return label.frameWidth() > 0 ? QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) / 2 : 0;
}

int textRoom(const QLabel &label)
{
    const int indent
        = label.alignment() & (Qt::AlignLeft | Qt::AlignRight) ? labelIndent(label, label.font()) : 0;
    return label.contentsRect().width() - 2 * label.margin() - indent;
}
} // namespace

QFont TFitLabel::shownFont() const
{
    QFont shown = font();
    const int room = textRoom(*this);
    int size = QFontInfo(shown).pixelSize();
    while (size > 8 && QFontMetrics(shown).horizontalAdvance(text()) > room)
        shown.setPixelSize(--size);
    return shown;
}

void TFitLabel::paintEvent(QPaintEvent *event)
{
    const QFont shown = shownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int indent = labelIndent(*this, font());
    if (alignment() & Qt::AlignLeft)
        room.setLeft(room.left() + indent);
    else if (alignment() & Qt::AlignRight)
        room.setRight(room.right() - indent);
    painter.setFont(shown);
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), text(), foregroundRole());
}

int ShownTextWidth(const QLabel &label)
{
    const auto *fit = qobject_cast<const TFitLabel *>(&label);
    const QFont font = fit ? fit->shownFont() : label.font();
    const int indent
        = label.alignment() & (Qt::AlignLeft | Qt::AlignRight) ? labelIndent(label, label.font()) : 0;
    return QFontMetrics(font).horizontalAdvance(label.text()) + indent + 2 * label.margin();
}

StatusBarParts BuildStatusBar(QStatusBar *bar, const QString &picture)
{
    StatusBarParts parts;
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    // The panel widths are sized for a small, narrow face.
    QFont panelFont(QStringLiteral("MS Sans Serif"));
    panelFont.setPixelSize(11);
    bar->setFont(panelFont);

    int i = 0;
    for (const StatusPanelEntry &entry : StatusPanelEntries()) {
        QLabel *panel = i == PanelImage ? static_cast<QLabel *>(parts.image = new TClickImage(bar))
                                        : new TFitLabel(bar);
        // Each panel holds its face itself: under a style sheet, labels made before it was shown
        // fall back to the application's face instead of the status bar's.
        panel->setFont(panelFont);
        panel->setObjectName(
            i == PanelImage ? QStringLiteral("Image1") : QStringLiteral("StatusPanel%1").arg(i));
        SetTranslatedText(panel, "text", "TMainForm", entry.text);
        panel->setAlignment((entry.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (entry.stretches)
            panel->setMinimumWidth(entry.width);
        else
            panel->setFixedWidth(entry.width);
        bar->addWidget(panel, entry.stretches ? 1 : 0);
        parts.panels[i++] = panel;
    }

    parts.progress = new TProgressBar(parts.panels[PanelProgress]);
    parts.progress->setObjectName(QStringLiteral("ProgressBar1"));
    parts.progress->setRange(0, PacedSteps);
    parts.progress->setValue(0);
    parts.progress->setTextVisible(false);
    parts.progress->setGeometry(2, 2, 120, 16);

    parts.image->setAlignment(Qt::AlignCenter);
    parts.image->setPixmap(ProgramPicture(picture, parts.image->devicePixelRatioF()));
    return parts;
}
