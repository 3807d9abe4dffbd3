#include "measure/forms/Compliance.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "link/Globals.h"
#include "measure/ComplianceView.h"
#include "measure/MeasurementFile.h"
#include "measure/MeasurementRecord.h"
#include "widgets/PaintBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <limits>
#include <numbers>

TComplianceForm *ComplianceForm = nullptr;

namespace {
const char *const NotSamplingText = QT_TRANSLATE_NOOP("TComplianceForm",
    "Continuous sampling is not running: measurements are taken once it runs (Run > Continuous Sampling).");
const char *const ObservingText
    = QT_TRANSLATE_NOOP("TComplianceForm", "Observing: each measurement of continuous sampling is taken.");
const char *const ClassItems[]
    = { QT_TRANSLATE_NOOP("TComplianceForm", "Class A"), QT_TRANSLATE_NOOP("TComplianceForm", "Class B"),
          QT_TRANSLATE_NOOP("TComplianceForm", "Class C (lighting)"),
          QT_TRANSLATE_NOOP("TComplianceForm", "Class D (PC, TV, ≤ 600 W)") };
} // namespace

TComplianceForm::TComplianceForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ComplianceForm"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    resize(900, 640);

    const auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    ComboBox1 = new QComboBox(this);
    named(ComboBox1, "ComboBox1");
    for (int i = 0; i < int(std::size(ClassItems)); ++i)
        ComboBox1->addItem(QString());
    Edit1 = new QLineEdit(this);
    named(Edit1, "Edit1");
    Edit1->setValidator(new QDoubleValidator(0.0, 1e6, 1, Edit1));
    Edit1->setMaximumWidth(110);
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    Button3 = new QPushButton(this);
    Button4 = new QPushButton(this);
    Button5 = new QPushButton(this);
    named(Button1, "Button1");
    named(Button2, "Button2");
    named(Button3, "Button3");
    named(Button4, "Button4");
    named(Button5, "Button5");
    Button2->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &TComplianceForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TComplianceForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TComplianceForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TComplianceForm::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TComplianceForm::Button5Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TComplianceForm::ComboBox1Change);

    CheckBox1 = new QCheckBox(this);
    named(CheckBox1, "CheckBox1");
    connect(CheckBox1, &QCheckBox::toggled, this, &TComplianceForm::CheckBox1Click);

    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label4 = new QLabel(this);
    Label5 = new QLabel(this);
    named(Label1, "Label1");
    named(Label2, "Label2");
    named(Label3, "Label3");
    named(Label4, "Label4");
    named(Label5, "Label5");
    Label2->setWordWrap(true);
    Label4->setWordWrap(true);
    Label5->setWordWrap(true);
    QFont big = Label3->font();
    big.setPixelSize(30);
    big.setBold(true);
    Label3->setFont(big);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setMinimumWidth(260);
    QFont small = Label5->font();
    small.setItalic(true);
    Label5->setFont(small);

    Grid1 = new QTableWidget(AssessedOrders, int(ComplianceHeader().size()), this);
    named(Grid1, "Grid1");
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setDefaultSectionSize(Grid1->fontMetrics().height() + 6);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < AssessedOrders; ++r)
        for (int c = 0; c < Grid1->columnCount(); ++c) {
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(
                c == Grid1->columnCount() - 1 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            Grid1->setItem(r, c, item);
        }

    Chart1 = new TPaintBox(this);
    named(Chart1, "Chart1");
    Chart1->setMinimumHeight(180);
    Chart1->OnPaint
        = [this](QPainter &painter) { DrawComplianceChart(painter, Chart1->rect(), m_assessment); };

    auto *controls = new QHBoxLayout;
    auto *classLabel = new QLabel(this);
    auto *powerLabel = new QLabel(this);
    m_classLabel = classLabel;
    m_powerLabel = powerLabel;
    classLabel->setBuddy(ComboBox1);
    powerLabel->setBuddy(Edit1);
    controls->addWidget(classLabel);
    controls->addWidget(ComboBox1);
    controls->addSpacing(12);
    controls->addWidget(powerLabel);
    controls->addWidget(Edit1);
    controls->addSpacing(12);
    for (QPushButton *b : { Button1, Button2, Button3, Button4 })
        controls->addWidget(b);
    controls->addStretch(1);
    controls->addWidget(Button5);

    auto *verdict = new QGridLayout;
    verdict->addWidget(Label3, 0, 0, 2, 1);
    verdict->addWidget(Label4, 0, 1);
    verdict->addWidget(Label1, 1, 1);
    verdict->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(CheckBox1);
    layout->addWidget(Label2);
    layout->addLayout(verdict);
    layout->addWidget(Chart1, 2);
    layout->addWidget(Grid1, 3);
    layout->addWidget(Label5);

    ComboBox1Change();
    retranslateUi();
}

void TComplianceForm::retranslateUi()
{
    setWindowTitle(tr("Harmonic compliance"));
    setAccessibleName(windowTitle());
    for (int i = 0; i < int(std::size(ClassItems)); ++i)
        ComboBox1->setItemText(i, tr(ClassItems[i]));
    ComboBox1->setAccessibleName(tr("Emission class"));
    Edit1->setPlaceholderText(tr("measured"));
    Edit1->setAccessibleName(tr("Rated power (W)"));
    Button1->setText(tr("S&tart"));
    Button2->setText(tr("St&op"));
    Button3->setText(tr("&Reset"));
    Button4->setText(tr("Assess &file..."));
    Button5->setText(tr("&Print..."));
    for (QPushButton *b : { Button1, Button2, Button3, Button4, Button5 })
        b->setAccessibleName(QString(b->text()).remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))));
    CheckBox1->setText(tr("&Show the limits on the current spectrum"));
    CheckBox1->setAccessibleName(tr("Show the limits on the current spectrum"));
    Label5->setText(PreComplianceNote());
    Grid1->setHorizontalHeaderLabels(ComplianceHeader());
    Grid1->setAccessibleName(tr("Harmonic orders"));
    Chart1->setAccessibleName(tr("Share of the limit by order"));
    m_classLabel->setText(tr("Class:"));
    m_powerLabel->setText(tr("Rated power (W):"));
    // The verdict, its reason and the table's words are made in the language shown.
    showAssessment();
}

void TComplianceForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TComplianceForm::CheckBox1Click()
{
    emit CurrentLimitsChanged(limitPeaks());
}

std::vector<double> TComplianceForm::limitPeaks() const
{
    if (!CheckBox1->isChecked())
        return {};
    EmissionAssessment limits = m_assessment;
    if (limits.verdict != Verdict::Pass && limits.verdict != Verdict::Fail) {
        EmissionCheck latest(chosenClass(), m_rated);
        latest.add(EmissionSampleFrom(Measurement, 0));
        limits = latest.result();
        if (limits.verdict != Verdict::Pass && limits.verdict != Verdict::Fail)
            return {};
    }
    std::vector<double> peaks(HarmonicCount, std::numeric_limits<double>::quiet_NaN());
    for (const OrderAssessment &o : limits.orders)
        if (o.limit)
            peaks[size_t(o.order)] = *o.limit * std::numbers::sqrt2;
    return peaks;
}

EmissionClass TComplianceForm::chosenClass() const
{
    return static_cast<EmissionClass>(std::clamp(ComboBox1->currentIndex(), 0, 3));
}

bool TComplianceForm::ratedPower(std::optional<double> &power)
{
    const QString text = Edit1->text().trimmed();
    power.reset();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0) {
        setStatus(tr("The rated power must be a positive number of watts, or empty for the measured power."));
        return false;
    }
    power = value;
    return true;
}

void TComplianceForm::newPeriod(std::optional<double> power)
{
    m_check = EmissionCheck(chosenClass(), power);
    m_rated = power;
    m_origin = {};
}

void TComplianceForm::setRunning(bool running)
{
    m_running = running;
    Button1->setEnabled(!running);
    Button2->setEnabled(running);
    ComboBox1->setEnabled(!running);
    Edit1->setEnabled(!running);
}

void TComplianceForm::ComboBox1Change()
{
    // A period belongs to one class: choosing another starts it over.
    newPeriod({});
    showAssessment();
}

void TComplianceForm::Button1Click()
{
    std::optional<double> power;
    if (!ratedPower(power))
        return;
    // Start after Stop goes on with the same period while class and power are unchanged.
    if (m_check.measurements() == 0 || m_check.emissionClass() != chosenClass() || m_rated != power)
        newPeriod(power);
    setRunning(true);
    setStatus(tr(SamplingMode == 2 ? ObservingText : NotSamplingText));
    showAssessment();
}

void TComplianceForm::Button2Click()
{
    setRunning(false);
    setStatus(tr("Stopped after %1 measurement(s).").arg(m_check.measurements()));
}

void TComplianceForm::Button3Click()
{
    std::optional<double> power;
    if (!ratedPower(power))
        return;
    newPeriod(power);
    if (m_running)
        setStatus(tr(SamplingMode == 2 ? ObservingText : NotSamplingText));
    showAssessment();
}

void TComplianceForm::Button4Click()
{
    std::optional<double> power;
    if (!ratedPower(power))
        return;
    const QString fileName = platform::dialogs().openFileName(ShownMeasurementOpenFilter());
    if (fileName.isEmpty())
        return;
    MeasurementRecord record {};
    try {
        NamingFile(fileName, [&] { LoadMeasurementFile(fileName, record); });
    } catch (const KmrError &error) {
        // The assessment shown stays as it was.
        setStatus(error.text());
        return;
    }
    if (m_running)
        Button2Click();
    newPeriod(power);
    m_check.add(EmissionSampleFrom(record, 0));
    setStatus(tr("%1 assessed as a period of one measurement.").arg(QFileInfo(fileName).fileName()));
    showAssessment();
}

void TComplianceForm::Button5Click()
{
    ReportKind = 2;
    emit PrintRequested();
}

void TComplianceForm::TakeMeasurement(const MeasurementRecord &record, const QDateTime &time)
{
    if (!m_running) {
        // Without a period the marks follow the latest measurement.
        if (CheckBox1->isChecked())
            emit CurrentLimitsChanged(limitPeaks());
        return;
    }
    if (!m_origin.isValid())
        m_origin = time;
    m_check.add(EmissionSampleFrom(record, m_origin.msecsTo(time) / 1000.0));
    setStatus(tr(ObservingText));
    showAssessment();
}

void TComplianceForm::setStatus(const QString &text)
{
    Label2->setText(text);
}

void TComplianceForm::showAssessment()
{
    m_assessment = m_check.result();
    const EmissionAssessment &a = m_assessment;
    for (int r = 0; r < AssessedOrders; ++r) {
        const OrderAssessment &o = a.orders[size_t(r)];
        const QStringList texts = ComplianceRowTexts(o);
        for (int c = 0; c < texts.size(); ++c) {
            QTableWidgetItem *item = Grid1->item(r, c);
            item->setText(texts[c]);
            // Rows over the limit stand out.
            item->setBackground(
                o.verdict == OrderVerdict::Fail ? QColor(255, 215, 210) : QColor(Qt::transparent));
        }
    }
    Label3->setText(VerdictHeadline(a));
    QPalette palette = Label3->palette();
    palette.setColor(QPalette::WindowText, VerdictColour(a.verdict));
    Label3->setPalette(palette);
    Label4->setText(a.reason);
    QString period = tr("Period %1, %2 measurement(s)").arg(PeriodText(a.periodSeconds)).arg(a.measurements);
    if (a.measurements > 0 && a.verdict != Verdict::NoVerdict)
        period = (a.ratedPowerUsed ? tr("%1, power %2 W (rated)") : tr("%1, power %2 W (measured)"))
                     .arg(period)
                     .arg(a.basis.activePower, 0, 'f', 1);
    Label1->setText(period);
    Chart1->update();
    if (CheckBox1->isChecked())
        emit CurrentLimitsChanged(limitPeaks());
}
