#include "record/forms/RecSet.h"

#include "base/Platform.h"
#include "record/forms/Rec.h"
#include "widgets/FormParts.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TRecSetForm *RecSetForm = nullptr;

namespace {

QString temperatureWarning()
{
    // Two paragraphs, kept apart by the two carriage returns the box has always shown.
    return TRecSetForm::tr("你在输入通道中选择了温度输入，") + QStringLiteral("\r\r")
        + TRecSetForm::tr("请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！");
}

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

} // namespace

TRecSetForm::TRecSetForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecSetForm"));
    resize(429, 299);

    // The items get their texts in retranslateUi.
    const QStringList signalItems(RecordSignalCount, QString());
    const QStringList samplingItems(SamplingStepCount - 1, QString());
    const QStringList saveItems(SaveStepCount, QString());

    auto *signalGroup = GroupBox1 = new QGroupBox(this);
    signalGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto *signalGrid = new QGridLayout(signalGroup);
    static const char *const rowCaptions[6] = { "CH1", "CH2", "CH3  ", "CH4  ", "CH5  ", "CH6  " };
    for (int ch = 0; ch < 6; ++ch) {
        auto *label = ChannelLabel[ch] = new QLabel(QString::fromLatin1(rowCaptions[ch]), signalGroup);
        label->setObjectName(QStringLiteral("Label%1").arg(ch + 3));
        ChannelList[ch] = makeList(signalGroup, ch + 3, signalItems);
        label->setBuddy(ChannelList[ch]);
        signalGrid->addWidget(label, ch, 0);
        signalGrid->addWidget(ChannelList[ch], ch, 1);
    }

    const auto stepGroup
        = [this](const char *name, QComboBox *&list, int number, const QStringList &items, QLabel *&seconds) {
              auto *group = new QGroupBox(this);
              group->setObjectName(QLatin1String(name));
              auto *row = new QHBoxLayout(group);
              list = makeList(group, number, items);
              row->addWidget(list, 1);
              seconds = new QLabel(group);
              row->addWidget(seconds);
              return group;
          };
    QGroupBox *samplingGroup = GroupBox2
        = stepGroup("GroupBox2", ComboBox2, 2, samplingItems, m_secondsLabels[0]);
    QGroupBox *saveGroup = GroupBox3 = stepGroup("GroupBox3", ComboBox1, 1, saveItems, m_secondsLabels[1]);

    GroupBox4 = new QGroupBox(this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto *temperatureRow = new QHBoxLayout(GroupBox4);
    ComboBox9 = new QComboBox(GroupBox4);
    ComboBox9->setObjectName(QStringLiteral("ComboBox9"));
    ComboBox9->setEditable(true);
    temperatureRow->addWidget(ComboBox9);
    GroupBox4->setEnabled(false);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
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

    retranslateUi();
    fillLists();
}

void TRecSetForm::retranslateUi()
{
    setWindowTitle(tr("记录设置"));
    setAccessibleName(windowTitle());
    GroupBox1->setTitle(tr("Signal Select"));
    for (int ch = 0; ch < 6; ++ch) {
        ChannelList[ch]->setAccessibleName(ChannelLabel[ch]->text().trimmed());
        for (int s = 0; s < RecordSignalCount; ++s)
            ChannelList[ch]->setItemText(s, SignalListItem(s));
    }
    GroupBox2->setTitle(tr("Sampling Step "));
    ComboBox2->setAccessibleName(GroupBox2->title().trimmed());
    for (int i = 0; i < ComboBox2->count(); ++i)
        ComboBox2->setItemText(i, SamplingListItem(i));
    GroupBox3->setTitle(tr("Save Step "));
    ComboBox1->setAccessibleName(GroupBox3->title().trimmed());
    for (int i = 0; i < ComboBox1->count(); ++i)
        ComboBox1->setItemText(i, SaveListItem(i));
    for (QLabel *seconds : m_secondsLabels)
        seconds->setText(tr("秒  "));
    GroupBox4->setTitle(tr("Temperature "));
    ComboBox9->setEditText(tr("Not Complete"));
    ComboBox9->setAccessibleName(tr("Temperature"));
    Button1->setText(tr("Enter"));
    Button1->setAccessibleName(Button1->text());
    Button2->setText(tr("Cancel "));
    Button2->setAccessibleName(Button2->text());
}

void TRecSetForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
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
            platform::dialogs().message(temperatureWarning(), Dialogs::Icon::Warning);
            break;
        }
    }
    accept();
}

void TRecSetForm::Button2Click()
{
    reject();
}
