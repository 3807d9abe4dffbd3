#include "instrument/forms/Starting.h"
#include "widgets/PaintBox.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "base/SaveName.h"
#include "instrument/BmpFile.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "measure/DrawingColours.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

TStartingForm *StartingForm = nullptr;

namespace {
// Faces of the four view buttons: arrows for the two directions, a bar squeezed or
// stretched between two marks for the compression.
QIcon viewIcon(ViewButton button)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(40, 40, 40));
    QPainterPath path;
    switch (button) {
    case ViewButton::Earlier:
        path.addPolygon(QPolygonF({ QPointF(5, 12), QPointF(17, 4), QPointF(17, 20) }));
        break;
    case ViewButton::Later:
        path.addPolygon(QPolygonF({ QPointF(19, 12), QPointF(7, 4), QPointF(7, 20) }));
        break;
    case ViewButton::MoreCompression:
        painter.drawLine(3, 5, 3, 19);
        painter.drawLine(21, 5, 21, 19);
        path.addPolygon(QPolygonF({ QPointF(11, 12), QPointF(5, 8), QPointF(5, 16) }));
        path.addPolygon(QPolygonF({ QPointF(13, 12), QPointF(19, 8), QPointF(19, 16) }));
        break;
    case ViewButton::LessCompression:
        painter.drawLine(12, 5, 12, 19);
        path.addPolygon(QPolygonF({ QPointF(2, 12), QPointF(9, 8), QPointF(9, 16) }));
        path.addPolygon(QPolygonF({ QPointF(22, 12), QPointF(15, 8), QPointF(15, 16) }));
        break;
    }
    painter.drawPath(path);
    return QIcon(pixmap);
}
} // namespace

TStartingForm::TStartingForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("StartingForm"));
    resize(810, 613);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createTopPanel();
    layout->addWidget(Panel1);

    StartingPic = new TPaintBox(this);
    StartingPic->setObjectName(QStringLiteral("StartingPic"));
    StartingPic->OnPaint = [this](QPainter &painter) { StartingPicPaint(painter); };
    StartingPic->setMouseTracking(true);
    StartingPic->installEventFilter(this);
    layout->addWidget(StartingPic, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(QStringLiteral("Norvo"), StatusBar1);
    StatusPanel0->setFixedWidth(200);
    StatusBar1->addWidget(StatusPanel0);
    layout->addWidget(StatusBar1);

    FormCreate();
    retranslateUi();
}

void TStartingForm::retranslateUi()
{
    setWindowTitle(tr("启动测试"));
    GroupBox2->setTitle(tr("Vol Range"));
    ComboBox2->setAccessibleName(GroupBox2->title());
    GroupBox1->setTitle(tr("Amp Range"));
    ComboBox1->setAccessibleName(GroupBox1->title());
    // The voltage ranges are values with their unit; the current ranges' ends are named.
    ComboBox1->setItemText(0, tr("4 (High)"));
    ComboBox1->setItemText(3, tr("1 (Low)"));
    SeSkinSpeedButton6->setText(tr("Save"));
    SeSkinSpeedButton1->setText(tr("Starting"));
    const std::pair<QToolButton *, QString> hints[] = { { SeSkinSpeedButton2, tr("Earlier samples") },
        { SeSkinSpeedButton3, tr("Later samples") }, { SeSkinSpeedButton4, tr("More compression") },
        { SeSkinSpeedButton5, tr("Less compression") } };
    for (const auto &[button, hint] : hints) {
        button->setToolTip(hint);
        button->setAccessibleName(hint);
    }
    if (m_ownStatus)
        StatusPanel0->setText(tr(m_ownStatus));
}

void TStartingForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        // The peak captions are drawn into the chart.
        DrawChart();
    }
    QDialog::changeEvent(event);
}

void TStartingForm::createTopPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(64);
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 2, 8, 4);

    const auto addRange = [this, row](QGroupBox *&group, const char *groupName, QComboBox *&list,
                              const char *listName, const QStringList &items) {
        group = new QGroupBox(Panel1);
        group->setObjectName(QString::fromLatin1(groupName));
        group->setMouseTracking(true);
        group->installEventFilter(this);
        auto *inner = new QHBoxLayout(group);
        inner->setContentsMargins(8, 2, 8, 4);
        list = new QComboBox(group);
        list->setObjectName(QString::fromLatin1(listName));
        list->addItems(items);
        list->setCurrentIndex(0);
        list->setEnabled(false);
        list->setMinimumWidth(96);
        inner->addWidget(list);
        row->addWidget(group);
    };
    addRange(GroupBox2, "GroupBox2", ComboBox2, "ComboBox2",
        { QStringLiteral("300V"), QStringLiteral("150V"), QStringLiteral("75V"), QStringLiteral("25V") });
    addRange(GroupBox1, "GroupBox1", ComboBox1, "ComboBox1",
        { QStringLiteral("4 (High)"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1 (Low)") });
    row->addSpacing(12);

    const auto addButton = [this, row](const char *name) {
        auto *button = new QPushButton(Panel1);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setMinimumHeight(34);
        row->addWidget(button);
        return button;
    };
    SeSkinSpeedButton6 = addButton("SeSkinSpeedButton6");
    SeSkinSpeedButton1 = addButton("SeSkinSpeedButton1");
    row->addSpacing(12);

    const auto addViewButton = [this, row](const char *name, ViewButton which) {
        auto *button = new QToolButton(Panel1);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(viewIcon(which));
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, which] { pressViewButton(which); });
        return button;
    };
    SeSkinSpeedButton2 = addViewButton("SeSkinSpeedButton2", ViewButton::Earlier);
    SeSkinSpeedButton3 = addViewButton("SeSkinSpeedButton3", ViewButton::Later);
    SeSkinSpeedButton4 = addViewButton("SeSkinSpeedButton4", ViewButton::MoreCompression);
    SeSkinSpeedButton5 = addViewButton("SeSkinSpeedButton5", ViewButton::LessCompression);
    row->addStretch(1);

    connect(SeSkinSpeedButton1, &QPushButton::clicked, this, [this] { SeSkinSpeedButton1Click(); });
    connect(SeSkinSpeedButton6, &QPushButton::clicked, this, [this] { SeSkinSpeedButton6Click(); });
}

void TStartingForm::FormCreate()
{
    const QSize screenSize = screen() ? screen()->size() : QSize();
    ChartPicture = QImage(StartingSurfaceSize(screenSize), QImage::Format_RGB32);
    const std::vector<uint8_t> initial = InitialStartingCaptureBlock();
    std::memcpy(StartingCapture.data(), initial.data(), StartingCapture.size());
    View = StartingChartView {};
    DrawChart();
}

QString TStartingForm::statusText() const
{
    return StatusPanel0->text();
}

void TStartingForm::setStatusText(const QString &text)
{
    m_ownStatus = nullptr;
    StatusPanel0->setText(text);
}

void TStartingForm::DrawChart()
{
    const QSize area = StartingPic->size();
    const QSize needed = StartingSurfaceSize(area);
    if (ChartPicture.width() < needed.width() || ChartPicture.height() < needed.height())
        ChartPicture = QImage(needed, QImage::Format_RGB32);
    Peaks = DrawStartingChart(ChartPicture, area, DecodeStartingCapture(StartingCapture.data()), View,
        WaveBackgroundColor, WaveScaleColor);
    StartingPic->update();
}

void TStartingForm::FormResize()
{
    DrawChart();
}

void TStartingForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TStartingForm::StartingPicPaint(QPainter &painter)
{
    painter.drawImage(QPoint(0, 0), ChartPicture, QRect(QPoint(0, 0), StartingPic->size()));
}

bool TStartingForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == GroupBox1)
            GroupBox1MouseMove();
        else if (watched == GroupBox2)
            GroupBox2MouseMove();
        else if (watched == StartingPic)
            StartingPicMouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void TStartingForm::GroupBox1MouseMove()
{
    ComboBox1->setEnabled(true);
}

void TStartingForm::GroupBox2MouseMove()
{
    ComboBox2->setEnabled(true);
}

void TStartingForm::StartingPicMouseMove()
{
    ComboBox1->setEnabled(false);
    ComboBox2->setEnabled(false);
}

void TStartingForm::SeSkinSpeedButton1Click()
{
    if (SamplingMode != 0) {
        platform::dialogs().message(tr("    请先停止连续测试！    "));
        return;
    }
    if (!platform::dialogs().askYesNo(tr("启动测试"), tr("  单击确定后按下仪器的Starting开关!  ")))
        return;
    RangeCode = StartingRangeCode(ComboBox1->currentIndex(), ComboBox2->currentIndex());
    if (!SendReadRequest(InstrumentAddress, StartingTestRegister, RangeCode))
        platform::dialogs().message(tr("请求读失败，仪器和电脑还没有连接。"));
    static const char *const requestSent = QT_TR_NOOP("发送测试请求");
    setStatusText(tr(requestSent));
    m_ownStatus = requestSent;
    LastRegister = StartingTestRegister;
    LastCount = RangeCode;
    StartingPage = 0;
}

void TStartingForm::pressViewButton(ViewButton button)
{
    PressViewButton(button, View, m_buttonStates);
    SeSkinSpeedButton2->setEnabled(m_buttonStates.earlier);
    SeSkinSpeedButton3->setEnabled(m_buttonStates.later);
    SeSkinSpeedButton4->setEnabled(m_buttonStates.moreCompression);
    SeSkinSpeedButton5->setEnabled(m_buttonStates.lessCompression);
    DrawChart();
}

void TStartingForm::SeSkinSpeedButton2Click()
{
    pressViewButton(ViewButton::Earlier);
}

void TStartingForm::SeSkinSpeedButton3Click()
{
    pressViewButton(ViewButton::Later);
}

void TStartingForm::SeSkinSpeedButton4Click()
{
    pressViewButton(ViewButton::MoreCompression);
}

void TStartingForm::SeSkinSpeedButton5Click()
{
    pressViewButton(ViewButton::LessCompression);
}

void TStartingForm::SeSkinSpeedButton6Click()
{
    const QSize area = StartingPic->size();
    const QImage bitmap = ChartPicture.copy(QRect(QPoint(0, 0), area)).convertToFormat(QImage::Format_RGB888);
    const QString filter = tr("Norvo启动测试文件(.bmp)|*.bmp");
    const QString name = WithFilterExtension(
        platform::dialogs().saveFileName(filter, QStringLiteral("StartingTestFile.bmp")), filter);
    if (name.isEmpty())
        return;
    // The program's save dialog leaves this question to its callers.
    if (QFileInfo::exists(name)
        && !platform::dialogs().askYesNo(
            tr("Save"), tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(name).fileName())))
        return;
    try {
        NamingFile(name, [&] { WriteBmp24(bitmap, name); });
    } catch (const EInOutError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
    }
}
