// The record settings window: its lists from SysSet.ini, "Enter" and "Cancel ".

#include "record/RecordFixtures.h"
#include "record/forms/RecSet.h"
#include "record/forms/RecordFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const QString Warning = QStringLiteral(
    "你在输入通道中选择了温度输入，\r\r请确认你的电脑已经连接到本公司生产的QTS系列多路温度检测仪器！");

class RecordSettingsWindow : public RecordFormFixture
{
protected:
    void TearDown() override
    {
        RecSetForm = nullptr;
        settings.reset();
        RecordFormFixture::TearDown();
    }

    void createBoth()
    {
        create();
        settings = std::make_unique<TRecSetForm>();
        RecSetForm = settings.get();
    }

    QString ini() const
    {
        return QString::fromUtf8(ReadAll(programDir.filePath(QStringLiteral("SysSet.ini"))));
    }

    std::unique_ptr<TRecSetForm> settings;
};

TEST_F(RecordSettingsWindow, WithoutTheSectionEveryChannelShowsPowerThreeAndTwentySeconds)
{
    createBoth();
    for (QComboBox *list : settings->ChannelList)
        EXPECT_EQ(list->currentText(), QStringLiteral(" Power"));
    EXPECT_EQ(settings->ComboBox2->currentText(), QStringLiteral("3 S"));
    EXPECT_EQ(settings->ComboBox1->currentText(), QStringLiteral("20 S"));
    EXPECT_EQ(settings->ChannelList[0]->count(), 13);
    EXPECT_EQ(settings->ComboBox2->count(), 11);
    EXPECT_EQ(settings->ComboBox1->itemText(5), QStringLiteral("60 S"));
    EXPECT_FALSE(settings->GroupBox4->isEnabled());
    EXPECT_EQ(settings->ComboBox9->currentText(), QStringLiteral("Not Complete"));
    EXPECT_EQ(settings->Button2->text(), QStringLiteral("Cancel "));
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("记录设置"));
}

TEST_F(RecordSettingsWindow, EnterStoresAppliesAndWarnsOnceAboutTemperatures)
{
    createBoth();
    settings->ChannelList[3]->setCurrentIndex(11); // " Temperature 2" for CH4
    settings->ChannelList[5]->setCurrentIndex(12);
    settings->ComboBox2->setCurrentIndex(0);
    settings->ComboBox1->setCurrentIndex(5);
    settings->Button1->click();
    EXPECT_EQ(dialogs.texts(), QStringList({ Warning }));
    EXPECT_EQ(ini().simplified(),
        QStringLiteral(
            "[RecordSet] Ch0=2 Ch1=2 Ch2=2 Ch3=11 Ch4=2 Ch5=12 SampingSetp=0 SaveSetp=5 TInCommNO=-1"));
    EXPECT_EQ(form->ChannelCaption[3]->text(), QStringLiteral("温度2"));
    EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("功率"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("采样步长：1秒"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("存盘间隔时间：60秒"));
    EXPECT_EQ(form->Timer1->interval(), 1000);
    EXPECT_EQ(form->TimerSave->interval(), 60000);
    EXPECT_EQ(form->Record.settings.channelSignal[3], 11);
}

TEST_F(RecordSettingsWindow, AThirtySecondStepFromTheFileLeavesTheListEmptyAndEnterKeepsTheTimer)
{
    programDir.writeFile(QStringLiteral("SysSet.ini"), "[RecordSet]\nSampingSetp=11\nCh2=-1\n");
    createBoth();
    EXPECT_EQ(form->Timer1->interval(), 30000);
    EXPECT_EQ(settings->ComboBox2->currentIndex(), -1);
    EXPECT_TRUE(settings->ComboBox2->currentText().isEmpty());
    EXPECT_TRUE(settings->ChannelList[2]->currentText().isEmpty());
    settings->Button1->click();
    EXPECT_TRUE(ini().contains(QStringLiteral("SampingSetp=-1")));
    EXPECT_TRUE(ini().contains(QStringLiteral("Ch2=-1")));
    EXPECT_EQ(form->Timer1->interval(), 30000);
    EXPECT_EQ(form->statusText(0), QStringLiteral("Sampling step：30S"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RecordSettingsWindow, TypedTextThatMatchesNoItemChoosesNone)
{
    createBoth();
    settings->ChannelList[0]->setEditText(QStringLiteral("Power"));
    settings->ChannelList[1]->setEditText(QStringLiteral(" Amp"));
    const RecordSettings chosen = settings->chosenSettings();
    EXPECT_EQ(chosen.channelSignal[0], -1);
    EXPECT_EQ(chosen.channelSignal[1], 1);
}

TEST_F(RecordSettingsWindow, CancelChangesNothingButTheListsKeepTheChoice)
{
    createBoth();
    settings->ChannelList[0]->setCurrentIndex(0);
    settings->Button2->click();
    EXPECT_FALSE(QFile::exists(programDir.filePath(QStringLiteral("SysSet.ini"))));
    EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("Power"));
    EXPECT_EQ(form->Record.settings.channelSignal[0], 2);
    EXPECT_EQ(settings->ChannelList[0]->currentText(), QStringLiteral(" Vol"));
}

TEST_F(RecordSettingsWindow, AValueThatIsNoNumberIsReportedAndTheListsAfterItStayEmpty)
{
    programDir.writeFile(QStringLiteral("SysSet.ini"), "[RecordSet]\nCh0=4\nCh1=four\n");
    createBoth();
    EXPECT_EQ(settings->ChannelList[0]->currentIndex(), 4);
    EXPECT_EQ(settings->ChannelList[1]->currentIndex(), -1);
    EXPECT_EQ(settings->ComboBox1->currentIndex(), -1);
    // The record window reported it once, the settings window once.
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(RecordSettingsWindow, SettingsConfirmedAfterNewDescribeTheFile)
{
    createBoth();
    SamplingMode = 2;
    newFile(QStringLiteral("r.vqr"));
    settings->ChannelList[0]->setCurrentIndex(0);
    settings->ComboBox2->setCurrentIndex(4);
    settings->Button1->click();
    form->SeSkinSpeedButton5Click();
    tick(3.0f);
    form->TimerSaveTimer();
    const RecordFileInfo info = ReadRecordFile(path("r.vqr"), form->LoadedRecord);
    EXPECT_EQ(info.channelSignals[0], 0);
    EXPECT_EQ(info.step, 4);
    EXPECT_EQ(form->LoadedRecord.channel(0)[0], 3.0f); // URMS
}

} // namespace
