#include "record/forms/RecSet.h"

#include "base/Platform.h"
#include "record/forms/Rec.h"
#include "widgets/FormParts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRecSetForm *RecSetForm = nullptr;

namespace {

const QString TemperatureWarning = QStringLiteral("你在输入通道中选择了温度输入，") + QStringLiteral("\r\r")
    + QStringLiteral("请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！");

QComboBox *makeList(QWidget *parent, int number, const QStringList &items)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("ComboBox%1").arg(number));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

// The item whose text the list shows, or -1: typed text that matches no item chooses none.
int itemIndex(const QComboBox *list)
{
    const int current = list->currentIndex();
    if (current >= 0 && list->itemText(current) == list->currentText())
        return current;
    return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QLabel *secondsLabel(QWidget *parent)
{
    return new QLabel(QStringLiteral("秒  "), parent);
}

} // namespace

TRecSetForm::TRecSetForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecSetForm"));
    setWindowTitle(QStringLiteral("记录设置"));
    setAccessibleName(windowTitle());
    resize(429, 299);

    QStringList signalItems;
    for (int s = 0; s < RecordSignalCount; ++s)
        signalItems << SignalListItem(s);
    QStringList samplingItems;
    for (int i = 0; i < SamplingStepCount - 1; ++i)
        samplingItems << SamplingListItem(i);
    QStringList saveItems;
    for (int i = 0; i < SaveStepCount; ++i)
        saveItems << SaveListItem(i);

    auto *signalGroup = new QGroupBox(QStringLiteral("Signal Select"), this);
    signalGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto *signalGrid = new QGridLayout(signalGroup);
    static const char *const rowCaptions[6] = { "CH1", "CH2", "CH3  ", "CH4  ", "CH5  ", "CH6  " };
    for (int ch = 0; ch < 6; ++ch) {
        auto *label = new QLabel(QString::fromLatin1(rowCaptions[ch]), signalGroup);
        label->setObjectName(QStringLiteral("Label%1").arg(ch + 3));
        ChannelList[ch] = makeList(signalGroup, ch + 3, signalItems);
        ChannelList[ch]->setAccessibleName(label->text().trimmed());
        label->setBuddy(ChannelList[ch]);
        signalGrid->addWidget(label, ch, 0);
        signalGrid->addWidget(ChannelList[ch], ch, 1);
    }

    const auto stepGroup = [this](const char *name, const QString &title, QComboBox *&list, int number,
                               const QStringList &items) {
        auto *group = new QGroupBox(title, this);
        group->setObjectName(QLatin1String(name));
        auto *row = new QHBoxLayout(group);
        list = makeList(group, number, items);
        list->setAccessibleName(title.trimmed());
        row->addWidget(list, 1);
        row->addWidget(secondsLabel(group));
        return group;
    };
    QGroupBox *samplingGroup
        = stepGroup("GroupBox2", QStringLiteral("Sampling Step "), ComboBox2, 2, samplingItems);
    QGroupBox *saveGroup = stepGroup("GroupBox3", QStringLiteral("Save Step "), ComboBox1, 1, saveItems);

    GroupBox4 = new QGroupBox(QStringLiteral("Temperature "), this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto *temperatureRow = new QHBoxLayout(GroupBox4);
    ComboBox9 = new QComboBox(GroupBox4);
    ComboBox9->setObjectName(QStringLiteral("ComboBox9"));
    ComboBox9->setEditable(true);
    ComboBox9->setEditText(QStringLiteral("Not Complete"));
    ComboBox9->setAccessibleName(QStringLiteral("Temperature"));
    temperatureRow->addWidget(ComboBox9);
    GroupBox4->setEnabled(false);

    Button1 = new QPushButton(QStringLiteral("Enter"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(Button1->text());
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("Cancel "), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAccessibleName(Button2->text());
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TRecSetForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TRecSetForm::Button2Click);

    auto *right = new QVBoxLayout;
    right->addWidget(samplingGroup);
    right->addWidget(saveGroup);
    right->addWidget(GroupBox4);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    right->addLayout(buttons);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(signalGroup, 1);
    layout->addLayout(right);

    fillLists();
}

TRecSetForm::~TRecSetForm()
{
    if (RecSetForm == this)
        RecSetForm = nullptr;
}

void TRecSetForm::fillLists()
{
    // Read in key order; at a value that is no whole number the error is shown and the
    // lists after it keep no selection.
    RecordSettings settings;
    settings.channelSignal.fill(-1);
    settings.samplingIndex = -1;
    settings.saveIndex = -1;
    ShowingErrors([&settings] { ReadRecordSettings(settings); });
    const auto select = [](QComboBox *list, int index) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
        if (list->currentIndex() < 0)
            list->setEditText(QString());
    };
    for (int ch = 0; ch < 6; ++ch)
        select(ChannelList[ch], settings.channelSignal[ch]);
    select(ComboBox2, settings.samplingIndex);
    select(ComboBox1, settings.saveIndex);
}

RecordSettings TRecSetForm::chosenSettings() const
{
    RecordSettings settings;
    for (int ch = 0; ch < 6; ++ch)
        settings.channelSignal[ch] = itemIndex(ChannelList[ch]);
    settings.samplingIndex = itemIndex(ComboBox2);
    settings.saveIndex = itemIndex(ComboBox1);
    return settings;
}

void TRecSetForm::Button1Click()
{
    const RecordSettings settings = chosenSettings();
    WriteRecordSettings(settings, itemIndex(ComboBox9));
    if (RecordForm)
        RecordForm->applyRecordSettings(settings);
    for (int signal : settings.channelSignal) {
        if (signal > 9) {
            platform::dialogs().message(TemperatureWarning, Dialogs::Icon::Warning);
            break;
        }
    }
    accept();
}

void TRecSetForm::Button2Click()
{
    reject();
}
