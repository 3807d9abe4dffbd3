#include "instrument/forms/Calibrate.h"

#include "base/NumberInput.h"
#include "base/Platform.h"
#include "instrument/Calibration.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "widgets/FormParts.h"
#include "widgets/NumberKeyFilter.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

TCalibrateForm *CalibrateForm = nullptr;

TCalibrateForm::TCalibrateForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CalibrateForm"));
    m_keyFilter = new TNumberKeyFilter(false, this);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));

    const auto addRow = [this](int y, QLabel *&label, QLineEdit *&edit, const char *editName) {
        label = new QLabel(GroupBox1);
        label->setGeometry(10, y + 4, 46, 20);
        edit = new QLineEdit(QStringLiteral("0"), GroupBox1);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setGeometry(54, y, 64, 26);
        edit->setFixedWidth(64);
        label->setBuddy(edit);
        m_keyFilter->watch(edit);
    };
    addRow(34, Label1, Edit1, "Edit1");
    addRow(84, Label2, Edit2, "Edit2");

    SeSkinButton1 = addButton(GroupBox1, "SeSkinButton1", QString(), { 122, 33, 48, 28 });
    SeSkinButton2 = addButton(GroupBox1, "SeSkinButton2", QString(), { 122, 83, 48, 28 });
    QPushButton **presets[] = { &SeSkinButton9, &SeSkinButton10, &SeSkinButton11, &SeSkinButton12,
        &SeSkinButton13, &SeSkinButton14, &SeSkinButton15, &SeSkinButton16 };
    static const char *const presetCaptions[] = { "220", "110", "55", "15", "8A", "3A", "1A", "0.2A" };
    for (int k = 0; k < 8; ++k) {
        const int y = k < 4 ? 33 : 83;
        QPushButton *button = *presets[k]
            = addButton(GroupBox1, qPrintable(QStringLiteral("SeSkinButton%1").arg(k + 9)),
                QString::fromLatin1(presetCaptions[k]), { 176 + (k % 4) * 39, y, 37, 28 });
        connect(button, &QPushButton::clicked, this, [this, button] { PresetClick(button); });
    }
    SeSkinButton3 = addButton(GroupBox1, "SeSkinButton3", QString(), { 54, 140, 80, 30 });
    SeSkinButton4 = addButton(GroupBox1, "SeSkinButton4", QString(), { 146, 140, 80, 30 });

    SeSkinButton8 = addButton(GroupBox2, "SeSkinButton8", QString(), { 12, 28, 121, 30 });
    SeSkinButton7 = addButton(GroupBox2, "SeSkinButton7", QString(), { 12, 70, 121, 30 });
    SeSkinButton5 = addButton(GroupBox2, "SeSkinButton5", QString(), { 12, 112, 121, 30 });
    SeSkinButton6 = addButton(GroupBox2, "SeSkinButton6", QString(), { 12, 154, 121, 30 });
    Button1 = addButton(this, "Button1", QString(), { 8, 224, 90, 32 });

    // Laid out rather than placed, so that the window grows with captions of any language; the
    // sizes the window has always had are the least each control takes.
    auto *calibration = new QGridLayout(GroupBox1);
    calibration->setContentsMargins(4, 8, 4, 8);
    calibration->setHorizontalSpacing(2);
    calibration->setVerticalSpacing(12);
    const std::array<QPushButton *, 4> voltagePresets { SeSkinButton9, SeSkinButton10, SeSkinButton11,
        SeSkinButton12 };
    const std::array<QPushButton *, 4> currentPresets { SeSkinButton13, SeSkinButton14, SeSkinButton15,
        SeSkinButton16 };
    calibration->addWidget(Label1, 0, 0);
    calibration->addWidget(Edit1, 0, 1);
    calibration->addWidget(SeSkinButton1, 0, 2);
    calibration->addWidget(Label2, 1, 0);
    calibration->addWidget(Edit2, 1, 1);
    calibration->addWidget(SeSkinButton2, 1, 2);
    for (int k = 0; k < 4; ++k) {
        calibration->addWidget(voltagePresets[size_t(k)], 0, 3 + k);
        calibration->addWidget(currentPresets[size_t(k)], 1, 3 + k);
    }
    auto *bandwidth = new QHBoxLayout;
    bandwidth->addWidget(SeSkinButton3);
    bandwidth->addSpacing(8);
    bandwidth->addWidget(SeSkinButton4);
    bandwidth->addStretch(1);
    calibration->addLayout(bandwidth, 2, 1, 1, 6);
    calibration->setRowStretch(3, 1);

    auto *temperature = new QVBoxLayout(GroupBox2);
    temperature->setContentsMargins(8, 8, 8, 8);
    for (QPushButton *button : { SeSkinButton8, SeSkinButton7, SeSkinButton5, SeSkinButton6 })
        temperature->addWidget(button);
    temperature->addStretch(1);

    auto *groups = new QHBoxLayout;
    groups->setSpacing(6);
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 8, 6, 8);
    layout->addLayout(groups);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    connect(SeSkinButton1, &QPushButton::clicked, this, [this] { SeSkinButton1Click(); });
    connect(SeSkinButton2, &QPushButton::clicked, this, [this] { SeSkinButton2Click(); });
    connect(SeSkinButton3, &QPushButton::clicked, this, [this] { SeSkinButton3Click(); });
    connect(SeSkinButton4, &QPushButton::clicked, this, [this] { SeSkinButton4Click(); });
    connect(SeSkinButton5, &QPushButton::clicked, this, [this] { SeSkinButton5Click(); });
    connect(SeSkinButton6, &QPushButton::clicked, this, [this] { SeSkinButton6Click(); });
    connect(SeSkinButton7, &QPushButton::clicked, this, [this] { SeSkinButton7Click(); });
    connect(SeSkinButton8, &QPushButton::clicked, this, [this] { SeSkinButton8Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    retranslateUi();
}

void TCalibrateForm::retranslateUi()
{
    setWindowTitle(tr("CalibrateForm"));
    GroupBox1->setTitle(tr("校准设置"));
    GroupBox2->setTitle(tr("温度选项"));
    Label1->setText(tr("电压：  "));
    Label2->setText(tr("电流：  "));
    Edit1->setAccessibleName(Label1->text().simplified().remove(QStringLiteral("：")));
    Edit2->setAccessibleName(Label2->text().simplified().remove(QStringLiteral("：")));
    SeSkinButton1->setText(tr("校准"));
    SeSkinButton2->setText(tr("校准"));
    SeSkinButton1->setAccessibleName(tr("校准 电压"));
    SeSkinButton2->setAccessibleName(tr("校准 电流"));
    SeSkinButton3->setText(tr("窄频"));
    SeSkinButton4->setText(tr("宽频"));
    SeSkinButton8->setText(tr("开启温度补偿"));
    SeSkinButton7->setText(tr("关闭温度补偿"));
    SeSkinButton5->setText(tr("校准常温"));
    SeSkinButton6->setText(tr("校准低温"));
    Button1->setText(tr("开锁"));
    // Each button as wide as of old, or wider when its caption in the language shown needs it.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        const int design = button->property("designWidth").toInt();
        const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 16;
        button->setFixedWidth(std::max(design, needed));
    }
    // The window's size of old, or more when the captions need it.
    layout()->activate();
    setFixedSize(layout()->sizeHint().expandedTo(QSize(505, 278)));
}

void TCalibrateForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

QPushButton *TCalibrateForm::addButton(
    QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setMinimumHeight(geometry.height());
    // The width the window has always given it, the least it keeps in every language.
    button->setProperty("designWidth", geometry.width());
    button->setAutoDefault(false);
    return button;
}

void TCalibrateForm::calibrate(QLineEdit *edit, bool voltage)
{
    TComm *comm = RequestPort();
    if (!comm)
        return;
    ShowingErrors([&] {
        if (!comm->portOpen())
            comm->setPortOpen(true);
        const float value = DecimalSingle(edit->text());
        if (voltage) {
            // Built where every request is built, so the routing byte reads 154 afterwards.
            BuildCalibrationFrame(RequestBuffer.data(), InstrumentAddress, VoltageCalibrationRegister, value);
            comm->SendBytes(RequestBuffer.data(), CalibrationFrameBytes);
        } else {
            const auto frame = CalibrationFrame(InstrumentAddress, CurrentCalibrationRegister, value);
            comm->SendBytes(frame.data(), CalibrationFrameBytes);
        }
    });
}

void TCalibrateForm::SeSkinButton1Click()
{
    calibrate(Edit1, true);
}

void TCalibrateForm::SeSkinButton2Click()
{
    calibrate(Edit2, false);
}

void TCalibrateForm::PresetClick(QPushButton *preset)
{
    const bool voltage = preset == SeSkinButton9 || preset == SeSkinButton10 || preset == SeSkinButton11
        || preset == SeSkinButton12;
    QLineEdit *edit = voltage ? Edit1 : Edit2;
    edit->setText(PresetValueText(preset->text()));
    calibrate(edit, voltage);
}

void TCalibrateForm::SeSkinButton3Click()
{
    emit BandwidthChosen(false);
}

void TCalibrateForm::SeSkinButton4Click()
{
    emit BandwidthChosen(true);
}

void TCalibrateForm::writeCode(uint16_t reg, uint8_t code)
{
    if (!SendWriteBytes(InstrumentAddress, reg, CodeBytes(code).data()))
        platform::dialogs().message(tr("请求读失败，仪器和电脑还没有连接。"));
}

void TCalibrateForm::SeSkinButton5Click()
{
    writeCode(CalibrationStepRegister, static_cast<uint8_t>(TemperatureCode::CalibrateNormal));
}

void TCalibrateForm::SeSkinButton6Click()
{
    writeCode(CalibrationStepRegister, static_cast<uint8_t>(TemperatureCode::CalibrateLow));
}

void TCalibrateForm::SeSkinButton7Click()
{
    writeCode(CalibrationStepRegister, static_cast<uint8_t>(TemperatureCode::CompensationOff));
}

void TCalibrateForm::SeSkinButton8Click()
{
    writeCode(CalibrationStepRegister, static_cast<uint8_t>(TemperatureCode::CompensationOn));
}

void TCalibrateForm::Button1Click()
{
    writeCode(CalibrationEnableRegister, UnlockCode);
}
