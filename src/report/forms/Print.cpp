#include "report/forms/Print.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "link/Globals.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "record/ToolGlyphs.h"
#include "report/ComplianceReport.h"
#include "report/MeasurementReport.h"
#include "report/PrintInfo.h"
#include "report/ReportPrint.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/QtPrinter.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <exception>

TPrinterForm *PrinterForm = nullptr;

namespace {
// The record window's printer glyph (asking the desktop's icon theme for its printer icon
// searches the theme's folders, a noticeable part of the program's start).
QIcon printIcon()
{
    QIcon icon;
    for (qreal scale : { 1.0, 2.0 })
        icon.addPixmap(QPixmap::fromImage(DrawToolGlyph(ToolGlyph::Print, 16, scale)));
    return icon;
}

constexpr int FormWidth = 747;
constexpr int FormHeight = 500;
constexpr int PanelHeight = 49;
constexpr int PreviewHeight = 2400;
constexpr int BelowPageHeight = 20;
constexpr int PreviewDotsPerMeter = 3780; // 96 dpi

// The page area: shows the preview bitmap at its own coordinates and never draws the report.
class PreviewBox final : public QWidget
{
public:
    PreviewBox(const QImage &bitmap, QWidget *parent)
        : QWidget(parent)
        , m_bitmap(bitmap)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), m_bitmap);
    }

private:
    const QImage &m_bitmap;
};

int screenWidth()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1920;
}
} // namespace

TPrinterForm::TPrinterForm(QWidget *parent)
    : QDialog(parent)
    , m_ownPrinter(std::make_unique<QtPrinter>())
    , m_printer(m_ownPrinter.get())
{
    setObjectName(QStringLiteral("PrinterForm"));
    setFixedSize(FormWidth, FormHeight);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, FormWidth, PanelHeight);
    Panel1->setAutoFillBackground(true);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::ToolTipBase));
    Panel1->setPalette(panelPalette);
    auto *buttons = new QHBoxLayout(Panel1);
    PrintReference1 = new QCheckBox(Panel1);
    PrintReference1->setObjectName(QStringLiteral("PrintReference1"));
    PrintReference1->setEnabled(false);
    buttons->addWidget(PrintReference1);
    buttons->addStretch();
    const auto button = [&](const char *name) {
        auto *b = new QPushButton(Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    SeSkinButton2 = button("SeSkinButton2");
    SeSkinButton3 = button("SeSkinButton3");
    SeSkinButton1 = button("SeSkinButton1");
    SeSkinButton1->setIcon(printIcon());

    Rongqi = new QScrollArea(this);
    Rongqi->setObjectName(QStringLiteral("Rongqi"));
    Rongqi->setGeometry(0, PanelHeight, FormWidth, FormHeight - PanelHeight);
    Rongqi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Rongqi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Rongqi->setWidgetResizable(false);
    Rongqi->verticalScrollBar()->setTracking(true);
    QPalette areaPalette = Rongqi->palette();
    areaPalette.setColor(QPalette::Window, QColor(160, 160, 164));
    Rongqi->setPalette(areaPalette);
    Rongqi->setBackgroundRole(QPalette::Window);

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("RongqiContent"));
    content->setPalette(areaPalette);
    image_di = new QWidget(content);
    image_di->setObjectName(QStringLiteral("image_di"));
    image1 = new PreviewBox(PreviewBitmap, content);
    image1->setObjectName(QStringLiteral("image1"));
    Rongqi->setWidget(content);

    connect(SeSkinButton1, &QPushButton::clicked, this, &TPrinterForm::SeSkinButton1Click);
    connect(SeSkinButton2, &QPushButton::clicked, this, &TPrinterForm::SeSkinButton2Click);
    connect(SeSkinButton3, &QPushButton::clicked, this, &TPrinterForm::SeSkinButton3Click);
    connect(PrintReference1, &QCheckBox::toggled, this, &TPrinterForm::FormCreate);
    retranslateUi();
    // The preview is built when the window is shown (and on every showing): built now, while
    // the window is hidden, it would be built again before anybody saw it, and filling the
    // page bitmap is a good part of the program's start.
}

TPrinterForm::~TPrinterForm() = default;

void TPrinterForm::retranslateUi()
{
    setWindowTitle(tr("PrinterForm"));
    const std::pair<QPushButton *, QString> captions[] = { { SeSkinButton2, tr("Info") },
        { SeSkinButton3, tr("Printer Setting") }, { SeSkinButton1, tr("Printing      ") } };
    for (const auto &[b, caption] : captions) {
        b->setText(caption);
        b->setAccessibleName(caption);
    }
    PrintReference1->setText(tr("Print reference traces"));
}

void TPrinterForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        // The page's captions are drawn into the preview.
        if (isVisible())
            FormCreate();
    }
    QDialog::changeEvent(event);
}

Printer &TPrinterForm::printer()
{
    return *m_printer;
}

void TPrinterForm::setPrinter(Printer *printer)
{
    m_printer = printer ? printer : m_ownPrinter.get();
}

RecordReportInput TPrinterForm::recordInput() const
{
    RecordReportInput input = RecordReportSource ? RecordReportSource() : RecordReportInput();
    input.chartBackground = WaveBackgroundColor;
    return input;
}

EmissionAssessment TPrinterForm::complianceAssessment() const
{
    return ComplianceReportSource ? ComplianceReportSource() : EmissionAssessment();
}

std::optional<MeasurementRecord> TPrinterForm::printedReference()
{
    std::optional<MeasurementRecord> reference = ReferenceSource ? ReferenceSource() : std::nullopt;
    PrintReference1->setEnabled(reference.has_value());
    if (!PrintReference1->isChecked())
        reference.reset();
    return reference;
}

void TPrinterForm::FormCreate()
{
    if (!Rongqi)
        return;
    const int wp = Rongqi->width() - 33;
    if (PreviewBitmap.isNull()) {
        PreviewBitmap = QImage(std::max(screenWidth(), wp + 5), PreviewHeight, QImage::Format_RGB32);
        // The preview is laid out in pixels of a 96-dpi screen: its point sizes are taken at that
        // resolution whatever the screen's own, so that its texts keep their places.
        PreviewBitmap.setDotsPerMeterX(PreviewDotsPerMeter);
        PreviewBitmap.setDotsPerMeterY(PreviewDotsPerMeter);
    }
    resize(FormWidth, FormHeight);

    PrintInfo info;
    try {
        info = ReadPrintInfo();
    } catch (const KmrError &error) {
        showError(error.text()); // the preview still shows, with the defaults
    }

    Rongqi->verticalScrollBar()->setValue(0);
    // Only the measurement report has reference traces to print.
    PrintReference1->setVisible(ReportKind == 0);
    const std::optional<MeasurementRecord> reference = printedReference();
    const int hp = ReportKind == 1 ? RecordPreviewHeight(wp)
        : ReportKind == 2          ? CompliancePreviewHeight(wp)
                                   : MeasurementPreviewHeight(wp);
    image1->setGeometry(5, 5, wp, hp);
    image_di->setGeometry(5, hp, wp, BelowPageHeight);
    image_di->lower();
    Rongqi->widget()->resize(Rongqi->viewport()->width(), hp + BelowPageHeight);

    PreviewBitmap.fill(Qt::white);
    QPainter painter(&PreviewBitmap);
    if (ReportKind == 1)
        DrawRecordPreview(painter, wp, hp, recordInput(), info);
    else if (ReportKind == 2)
        DrawCompliancePreview(painter, wp, hp, complianceAssessment(), info);
    else
        DrawMeasurementPreview(
            painter, wp, hp, Measurement, info, nullptr, reference ? &*reference : nullptr);
    painter.end();
    image1->update();
}

void TPrinterForm::SeSkinButton1Click()
{
    try {
        if (ReportKind == 1) {
            const RecordPagePoints points = PrintRecordReport(*m_printer, recordInput());
            if (RecordOverflowSink)
                RecordOverflowSink(points);
        } else if (ReportKind == 2) {
            PrintComplianceReport(*m_printer, complianceAssessment());
        } else {
            const std::optional<MeasurementRecord> reference = printedReference();
            PrintMeasurementReport(*m_printer, Measurement, reference ? &*reference : nullptr);
        }
    } catch (const KmrError &error) {
        showError(error.text());
    } catch (const std::exception &error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
}

void TPrinterForm::SeSkinButton2Click()
{
    if (!EnterInfoForm)
        return;
    // A window of the print window's own stays usable while the print window is modal.
    if (EnterInfoForm->parentWidget() != this)
        EnterInfoForm->setParent(this, EnterInfoForm->windowFlags());
    EnterInfoForm->show();
    EnterInfoForm->raise();
}

void TPrinterForm::SeSkinButton3Click()
{
    try {
        m_printer->setup();
    } catch (const KmrError &error) {
        showError(error.text());
    }
}

void TPrinterForm::showError(const QString &text)
{
    platform::dialogs().message(text, Dialogs::Icon::Error);
}

void TPrinterForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormCreate();
}

void TPrinterForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormCreate();
}
