// The record window: creation, file and run commands, the two ticks, opening files and
// the view commands, on fake dialogs and a fake clock.

#include "app/forms/QtDialogs.h"
#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "record/RecordFixtures.h"
#include "record/RecordTime.h"
#include "record/forms/RecordFixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <sys/stat.h>

#include <functional>
#include <utility>

namespace {

const QString LostText = QStringLiteral("   You have to stop the continuous sampling, record stop!   ");
const QString LimitText
    = QStringLiteral("    Data recorded over the maximum file limit, create a new file and start again.    ");

class RecordWindow : public RecordFormFixture
{
};

TEST_F(RecordWindow, StartsWithPowerOnEveryChannelThreeSecondSamplingAndTwentySecondSaves)
{
    create();
    for (QLabel *caption : form->ChannelCaption)
        EXPECT_EQ(caption->text(), QStringLiteral("Power"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("Sampling step：3S"));
    EXPECT_EQ(form->statusText(1), QStringLiteral("Save step：20S"));
    const QStringList rest = { "Start:", "End:", "Length:", "Mode:Record", "Range: Positive" };
    for (int i = 0; i < rest.size(); ++i)
        EXPECT_EQ(form->statusText(i + 2), rest[i]);
    EXPECT_EQ(form->Timer1->interval(), 3000);
    EXPECT_EQ(form->TimerSave->interval(), 20000);
    EXPECT_FALSE(form->Timer1->isActive() || form->TimerSave->isActive() || form->OpenTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton5->isEnabled() || form->Starting1->isEnabled());
    EXPECT_FALSE(form->SeSkinSpeedButton6->isEnabled() || form->Stop1->isEnabled());
    EXPECT_FALSE(form->Print1->isEnabled());
    EXPECT_TRUE(form->SeSkinSpeedButton4->isEnabled() && form->Setting1->isEnabled());
    EXPECT_EQ(form->OpenTimer->interval(), 1000);
    EXPECT_EQ(form->ChannelValue[0]->text(), QStringLiteral("Value："));
    EXPECT_TRUE(dialogs.messages.empty());
    form->SeSkinSpeedButton3Click(); // Print asks for the record report
    EXPECT_EQ(ReportKind, 1);
}

TEST_F(RecordWindow, IconOnlyButtonsCarryTheirHintAsToolTipAndAccessibleName)
{
    create();
    const auto buttons = form->findChildren<QAbstractButton *>();
    int iconOnly = 0;
    for (QAbstractButton *button : buttons) {
        if (!button->text().isEmpty() || button->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++iconOnly;
        EXPECT_FALSE(button->toolTip().isEmpty()) << qPrintable(button->objectName());
        EXPECT_EQ(button->accessibleName(), button->toolTip()) << qPrintable(button->objectName());
    }
    EXPECT_GE(iconOnly, 11 + 18 + 1);
    EXPECT_EQ(form->SeSkinButton19->toolTip(), QStringLiteral("单击选择数据显示范围"));
    EXPECT_EQ(
        form->findChild<QToolButton *>(QStringLiteral("SeSkinSpeedButton12")), form->SeSkinSpeedButton12);
    EXPECT_EQ(form->findChild<QPushButton *>(QStringLiteral("SeSkinButton3")), form->ScaleUpButton[0]);
    EXPECT_EQ(form->findChild<QPushButton *>(QStringLiteral("SeSkinButton18")), form->OnOffButton[5]);
}

TEST_F(RecordWindow, StoredSettingsAtCreation)
{
    struct Case
    {
        const char *ini;
        QString panel0;
        int samplingMs;
        QString caption0;
        int messages;
    } const cases[] = {
        { "[RecordSet]\nSampingSetp=11\nCh0=12\n", "Sampling step：30S", 30000, "Temperature 3", 0 },
        { "[RecordSet]\nSampingSetp=40\nCh0=20\n", "采样步长：", 3000, "—", 0 },
        { "[RecordSet]\nCh0=x\n", "Sampling step：3S", 3000, "Power", 1 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ini);
        dialogs.messages.clear();
        programDir.writeFile(QStringLiteral("SysSet.ini"), c.ini);
        create();
        EXPECT_EQ(form->statusText(0), c.panel0);
        EXPECT_EQ(form->Timer1->interval(), c.samplingMs);
        EXPECT_EQ(form->ChannelCaption[0]->text(), c.caption0);
        EXPECT_EQ(int(dialogs.messages.size()), c.messages);
    }
}

TEST_F(RecordWindow, NewCancelledOrRefusedChangesNothingEvenDuringARecording)
{
    create();
    startRecording();
    for (int i = 0; i < 12; ++i)
        tick(float(i));
    form->TimerSaveTimer();
    const QByteArray before = ReadAll(path("rec.vqr"));
    dialogs.fileNames.push_back(QString()); // cancelled
    form->SeSkinSpeedButton12Click();
    dialogs.fileNames.push_back(path("rec.vqr"));
    dialogs.answers.push_back(false); // refused
    form->SeSkinSpeedButton12Click();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("  File already exists, overwrite?？  "));
    EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("File exists"));
    EXPECT_EQ(form->RecordCount(), 12);
    tick(12.0f);
    form->TimerSaveTimer();
    EXPECT_EQ(ReadRecordFile(path("rec.vqr"), form->LoadedRecord).count, 13);
    EXPECT_EQ(before.size(), RecordBlockBytes);
}

TEST_F(RecordWindow, NewDuringARecordingGoesOnIntoTheNewFileAndTheOldOneKeepsEverySample)
{
    create();
    startRecording(QStringLiteral("old.vqr"));
    for (int i = 0; i < 7; ++i)
        tick(float(i));
    newFile(QStringLiteral("new.vqr"));
    EXPECT_EQ(form->statusText(5), QStringLiteral("模式：记录"));
    EXPECT_EQ(form->RecordCount(), 0);
    EXPECT_TRUE(form->Timer1->isActive());
    tick(100.0f);
    form->TimerSaveTimer();
    EXPECT_EQ(ReadRecordFile(path("old.vqr"), form->LoadedRecord).count, 7);
    EXPECT_EQ(form->LoadedRecord.channel(0)[6], 6.0f + 7.0f / 16.0f); // WRMS of the 7th tick
    EXPECT_EQ(ReadRecordFile(path("new.vqr"), form->LoadedRecord).count, 1);
}

TEST_F(RecordWindow, StartNeedsContinuousSamplingAndAFile)
{
    create();
    form->SeSkinSpeedButton5Click();
    SamplingMode = 2;
    form->SeSkinSpeedButton5Click();
    EXPECT_EQ(dialogs.texts(),
        QStringList({ "   To start the test records must be in continuous mode, recording is not started! ",
            "    Please create a new record file!    " }));
    EXPECT_FALSE(form->Timer1->isActive());

    newFile(QStringLiteral("r.vqr"));
    EXPECT_TRUE(form->SeSkinSpeedButton5->isEnabled() && form->Starting1->isEnabled());
    form->View.recordCompression = 5;
    form->SeSkinSpeedButton5Click();
    EXPECT_TRUE(form->Timer1->isActive() && form->TimerSave->isActive() && form->GridTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton5->isEnabled() || form->Starting1->isEnabled());
    EXPECT_FALSE(form->SeSkinSpeedButton4->isEnabled() || form->Setting1->isEnabled());
    EXPECT_TRUE(form->SeSkinSpeedButton6->isEnabled() && form->Stop1->isEnabled());
    EXPECT_EQ(form->View.recordCompression, 1);
    EXPECT_EQ(form->TrackBar1->value(), 150);

    form->SeSkinSpeedButton6Click();
    EXPECT_FALSE(form->Timer1->isActive() || form->TimerSave->isActive() || form->GridTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton6->isEnabled() || form->Stop1->isEnabled());
    EXPECT_FALSE(form->SeSkinSpeedButton5->isEnabled()); // a further recording needs New
    EXPECT_TRUE(form->SeSkinSpeedButton4->isEnabled());
}

TEST_F(RecordWindow, SamplingTicksStampTheClockAndSavesReachTheFile)
{
    create();
    startRecording();
    for (int i = 0; i < 25; ++i)
        tick(float(i));
    form->TimerSaveTimer();
    tick(25.0f); // after the last save: not in the file
    const RecordFileInfo info = ReadRecordFile(path("rec.vqr"), form->LoadedRecord);
    EXPECT_EQ(info.count, 25);
    EXPECT_EQ(form->RecordCount(), 26);
    EXPECT_EQ(form->LoadedRecord.channel(3)[24], 24.0f + 7.0f / 16.0f);
    EXPECT_EQ(FromOleDate(form->LoadedRecord.timestamps()[24]), clock.current.addSecs(-1));
    // The chart shows the live record after every tick.
    EXPECT_EQ(form->statusText(4), QStringLiteral("长度：25"));
}

TEST_F(RecordWindow, LosingContinuousSamplingStopsSamplingButNotSaving)
{
    create();
    startRecording();
    tick(1.0f);
    tick(2.0f);
    SamplingMode = 0;
    tick(3.0f);
    EXPECT_EQ(dialogs.texts(), QStringList({ LostText }));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(form->TimerSave->isActive() && form->GridTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton6->isEnabled());
    EXPECT_TRUE(form->Stop1->isEnabled());
    EXPECT_EQ(form->RecordCount(), 2);
    form->TimerSaveTimer();
    EXPECT_EQ(ReadRecordFile(path("rec.vqr"), form->LoadedRecord).count, 2);
    form->Stop1->trigger();
    EXPECT_FALSE(form->TimerSave->isActive() || form->GridTimer->isActive());
}

TEST_F(RecordWindow, TheFourHundredFiftyThousandthSampleEndsTheRecording)
{
    create();
    startRecording();
    for (int i = 0; i < MaxRecordSamples - 1; ++i)
        form->Record.sample(Measurement, clock.current);
    tick(9.0f);
    EXPECT_EQ(dialogs.texts(), QStringList({ LimitText }));
    EXPECT_FALSE(form->Timer1->isActive() || form->TimerSave->isActive());
    EXPECT_TRUE(form->GridTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton5->isEnabled() || form->SeSkinSpeedButton6->isEnabled());
    EXPECT_TRUE(form->Stop1->isEnabled());
    EXPECT_EQ(form->RecordCount(), MaxRecordSamples);
    EXPECT_EQ(form->statusText(4), QStringLiteral("长度：600"));
    // The complete record went into the file before the box.
    EXPECT_EQ(ReadRecordFile(path("rec.vqr"), form->LoadedRecord).count, MaxRecordSamples);
    EXPECT_EQ(form->LoadedRecord.channel(0)[MaxRecordSamples - 1], 9.0f + 7.0f / 16.0f);
}

TEST_F(RecordWindow, TicksWithoutANewMeasurementTakeNoSampleAndSaySo)
{
    create();
    startRecording();
    // Before the first measurement, and after two.
    idleTick();
    EXPECT_EQ(form->RecordCount(), 0);
    EXPECT_EQ(form->statusText(TRecordForm::SamplingNoticePanel),
        QStringLiteral("Samples skipped: no measurement yet"));
    tick(1.0f);
    EXPECT_TRUE(form->statusText(TRecordForm::SamplingNoticePanel).isEmpty());
    tick(2.0f);
    const QDateTime lastArrival = clock.current;
    for (int i = 0; i < 20; ++i)
        idleTick();
    EXPECT_EQ(form->RecordCount(), 2);
    QLabel *notice = form->findChild<QLabel *>(QStringLiteral("StatusPanel7"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(),
        QStringLiteral("Samples skipped: no new measurement since ") + LongTimeText(lastArrival.time()));
    EXPECT_FALSE(notice->isHidden() || form->NoticeBar->isHidden());

    // The next measurement is taken with the time it arrived, not the tick's: the gap shows.
    arrive(3.0f);
    const QDateTime arrival = clock.current;
    clock.current = clock.current.addMSecs(700);
    form->Timer1Timer();
    EXPECT_EQ(form->RecordCount(), 3);
    EXPECT_TRUE(notice->isHidden() && form->NoticeBar->isHidden());
    form->TimerSaveTimer();
    ASSERT_EQ(ReadRecordFile(path("rec.vqr"), form->LoadedRecord).count, 3);
    EXPECT_EQ(FromOleDate(form->LoadedRecord.timestamps()[1]), lastArrival);
    EXPECT_EQ(FromOleDate(form->LoadedRecord.timestamps()[2]), arrival);
    EXPECT_EQ(form->LoadedRecord.channel(0)[2], 3.0f + 7.0f / 16.0f);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Every end of a recording writes what was taken since the last save.
TEST_F(RecordWindow, StopClosingAndTheProgramsEndSaveTheSamplesTakenSinceTheLastSave)
{
    const struct
    {
        const char *name;
        std::function<void(std::unique_ptr<TRecordForm> &)> end;
    } cases[] = {
        { "Stop button", [](auto &form) { form->SeSkinSpeedButton6->click(); } },
        { "Stop menu item", [](auto &form) { form->Stop1->trigger(); } },
        { "Exit", [](auto &form) { form->Exit1->trigger(); } },
        { "Esc", [](auto &form) { QTest::keyClick(form.get(), Qt::Key_Escape); } },
        { "close button", [](auto &form) { form->close(); } },
        { "program end",
            [](auto &form) {
                RecordForm = nullptr;
                form.reset();
            } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        create();
        form->show();
        const QString name = QString::fromLatin1(c.name) + QStringLiteral(".vqr");
        startRecording(name);
        for (int i = 0; i < 5; ++i)
            tick(float(i));
        form->TimerSaveTimer();
        for (int i = 5; i < 8; ++i)
            tick(float(i));
        c.end(form);
        auto check = std::make_unique<RecordArrays>();
        EXPECT_EQ(ReadRecordFile(path(name), *check).count, 8);
        EXPECT_EQ(check->channel(0)[7], 7.0f + 7.0f / 16.0f);
        EXPECT_EQ(QFileInfo(path(name)).size(), RecordBlockBytes);
        if (form)
            form->hide();
    }
    EXPECT_TRUE(dialogs.messages.empty()) << qPrintable(dialogs.texts().join('\n'));
}

TEST_F(RecordWindow, ADeletedOrMovedFileIsMadeAgainWithTheWholeRecord)
{
    create();
    startRecording(QStringLiteral("r.vqr"));
    for (int i = 0; i < 1500; ++i)
        form->Record.sample(Measurement, clock.current);
    tick(42.0f);
    form->TimerSaveTimer();
    const QString file = path("r.vqr");
    const struct
    {
        const char *name;
        std::function<void()> lose;
    } cases[] = {
        { "deleted", [&] { ASSERT_TRUE(QFile::remove(file)); } },
        { "moved", [&] { ASSERT_TRUE(QFile::rename(file, path("moved.vqr"))); } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        tick(43.0f);
        c.lose();
        form->TimerSaveTimer();
        auto check = std::make_unique<RecordArrays>();
        const RecordFileInfo info = ReadRecordFile(file, *check);
        EXPECT_EQ(info.count, form->RecordCount());
        EXPECT_EQ(QFileInfo(file).size(), 2 * RecordBlockBytes);
        for (int ch = 0; ch < RecordChannels; ++ch)
            EXPECT_EQ(
                std::memcmp(check->channel(ch), form->Record.live().channel(ch), 4 * size_t(info.count)), 0);
        EXPECT_EQ(
            std::memcmp(check->timestamps(), form->Record.live().timestamps(), 8 * size_t(info.count)), 0);
        EXPECT_EQ(form->statusText(TRecordForm::SavingNoticePanel),
            file
                + QStringLiteral(" was deleted, moved or replaced: made again with all %1 samples")
                      .arg(info.count));
        // The next save is an ordinary one again.
        form->TimerSaveTimer();
        EXPECT_TRUE(form->statusText(TRecordForm::SavingNoticePanel).isEmpty());
    }
    EXPECT_EQ(ReadRecordFile(path("moved.vqr"), form->LoadedRecord).count, 1502);
    EXPECT_TRUE(dialogs.messages.empty() && dialogs.notices.empty());
}

TEST_F(RecordWindow, AFailedSaveIsToldOnceWithoutWaitingAndTheFirstGoodSaveCatchesUp)
{
    create();
    startRecording(QStringLiteral("r.vqr"));
    const QString file = path("r.vqr");
    for (int i = 0; i < 990; ++i)
        form->Record.sample(Measurement, clock.current);
    form->TimerSaveTimer();
    // The name now leads to a folder: no save can succeed, and every save step tries.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 10; ++i)
            tick(float(round * 10 + i));
        form->TimerSaveTimer();
    }
    const QString expected = QStringLiteral("Not saved to %1: %1 is a folder, not a record file "
                                            "(tried again at every save step)")
                                 .arg(file);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, expected);
    EXPECT_EQ(dialogs.notices[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs.messages.empty()) << "no box waits for the user";
    EXPECT_EQ(form->statusText(TRecordForm::SavingNoticePanel), expected);
    EXPECT_TRUE(form->TimerSave->isActive() && form->Timer1->isActive());
    EXPECT_EQ(form->RecordCount(), 1030);

    // The folder goes: the first good save writes every block since the last good one.
    ASSERT_TRUE(QDir().rmdir(file));
    tick(99.0f);
    form->TimerSaveTimer();
    auto check = std::make_unique<RecordArrays>();
    const RecordFileInfo info = ReadRecordFile(file, *check);
    EXPECT_EQ(info.count, 1031);
    EXPECT_EQ(info.blocks, 2);
    EXPECT_EQ(std::memcmp(check->channel(0), form->Record.live().channel(0), 4 * 1031), 0);
    EXPECT_EQ(check->channel(0)[1030], 99.0f + 7.0f / 16.0f);

    // A later failure is a new one, told again.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    form->TimerSaveTimer();
    EXPECT_EQ(dialogs.notices.size(), 2u);
}

// The production notice: a box that waits for nobody and goes away when closed.
TEST(RecordWindowNotice, TheProgramsNoticeReturnsAtOnceAndLeavesItsBoxOpenButNotModal)
{
    QtDialogs dialogs;
    dialogs.notice(QStringLiteral("Not saved to r.vqr: No space left on device"), Dialogs::Icon::Error);
    QPointer<QMessageBox> box;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *candidate = qobject_cast<QMessageBox *>(widget); candidate && candidate->isVisible())
            box = candidate;
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("Not saved to r.vqr: No space left on device"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    box->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }, 5000));
}

TEST_F(RecordWindow, OpeningRecordFilesShowsThemInReadMode)
{
    create();
    // Three blocks whose last says 2500, channels Vol, Amp, PF, step 0.
    const QString file = path("three.vqr");
    Recorder source;
    source.settings.channelSignal = { 0, 1, 7, 200, 9, 6 };
    source.settings.samplingIndex = 0;
    source.newFile(file);
    const QDateTime start(QDate(2026, 12, 10), QTime(9, 0));
    for (int i = 0; i < 2500; ++i)
        source.sample(Measurement, start.addSecs(i));
    source.save();

    dialogs.fileNames.push_back(file);
    form->SeSkinSpeedButton1Click();
    EXPECT_EQ(form->LoadedLast, 2499);
    EXPECT_EQ(form->View.mode, ChartMode::Read);
    EXPECT_EQ(form->statusText(5), QStringLiteral("Mode: Read"));
    EXPECT_EQ(form->statusText(0), QStringLiteral("采样步长：1S")); // the redraw's compression
    EXPECT_EQ(form->statusText(4), QStringLiteral("长度：600"));
    EXPECT_TRUE(form->statusText(2).startsWith(QStringLiteral("开始：")));
    EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("Vol"));
    EXPECT_EQ(form->ChannelCaption[2]->text(), QStringLiteral("Power Factor"));
    EXPECT_EQ(form->ChannelCaption[3]->text(), QStringLiteral("Power")); // 200 names no signal
    EXPECT_FALSE(form->SeSkinSpeedButton4->isEnabled() || form->Setting1->isEnabled());
    EXPECT_TRUE(form->RecordFileReady);

    // A file of New alone keeps the start and end texts of the open: nothing is drawn.
    CreateRecordFile(path("empty.vqr"), RecordBlock());
    dialogs.fileNames.push_back(path("empty.vqr"));
    form->SeSkinSpeedButton1Click();
    EXPECT_EQ(form->LoadedLast, -1);
    EXPECT_EQ(form->statusText(2), QStringLiteral("Start：0"));
    EXPECT_EQ(form->statusText(3), QStringLiteral("End：0"));
    EXPECT_EQ(form->statusText(4), QStringLiteral("长度：0"));
}

TEST_F(RecordWindow, NewThenOpenThenStartRecordsIntoTheNewFile)
{
    create();
    Recorder other;
    other.newFile(path("other.vqr"));
    for (int i = 0; i < 40; ++i)
        other.sample(Measurement, clock.current);
    other.save();
    SamplingMode = 2;
    newFile(QStringLiteral("new.vqr"));
    dialogs.fileNames.push_back(path("other.vqr"));
    form->SeSkinSpeedButton1Click();
    EXPECT_EQ(form->LoadedLast, 39);
    form->SeSkinSpeedButton5Click();
    EXPECT_TRUE(form->Timer1->isActive());
    for (int i = 0; i < 3; ++i)
        tick(float(i));
    form->TimerSaveTimer();
    auto check = std::make_unique<RecordArrays>();
    EXPECT_EQ(ReadRecordFile(path("new.vqr"), *check).count, 3);
    EXPECT_EQ(ReadRecordFile(path("other.vqr"), *check).count, 40);
    EXPECT_EQ(form->LoadedLast, 39);
}

TEST_F(RecordWindow, AFailedOpenLeavesModeCaptionsAndTextsAsTheyWere)
{
    create();
    const QString fifo = path("pipe.vqr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &name : { fifo, path("missing.vqr") }) {
        dialogs.fileNames.push_back(name);
        QString text;
        try {
            form->SeSkinSpeedButton1Click();
        } catch (const EInOutError &error) {
            text = error.text();
        }
        EXPECT_TRUE(text.contains(name)) << "the error names the file: " << text.toStdString();
        EXPECT_EQ(form->View.mode, ChartMode::Record);
        EXPECT_EQ(form->statusText(5), QStringLiteral("Mode:Record"));
        EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("Power"));
        EXPECT_FALSE(form->RecordFileReady);
    }
    // A record cut short before its first whole block, and a file of something else, are
    // refused with their name and the reason, from the Open command and from the command line.
    QByteArray cut(RecordBlockBytes - 1, '\0');
    cut[32000] = 2;
    const struct
    {
        const char *name;
        QByteArray bytes;
    } refused[] = {
        { "cut.vqr", cut },
        { "notes.vqr", QByteArrayLiteral("Bench notes: 230 V, 5 A\n") },
        { "empty.vqr", QByteArray() },
    };
    for (const auto &c : refused) {
        programDir.writeFile(QLatin1String(c.name), c.bytes);
        const QString expected
            = path(QLatin1String(c.name)) + QStringLiteral(": not a record file (no whole block)");
        for (bool fromCommandLine : { false, true }) {
            SCOPED_TRACE(std::string(c.name) + (fromCommandLine ? " from the command line" : ""));
            QString text;
            try {
                if (fromCommandLine) {
                    CommandLineFile = path(QLatin1String(c.name));
                    form->OpenTimerTimer();
                } else {
                    dialogs.fileNames.push_back(path(QLatin1String(c.name)));
                    form->SeSkinSpeedButton1Click();
                }
            } catch (const EInOutError &error) {
                text = error.text();
            }
            EXPECT_EQ(text, expected);
            EXPECT_EQ(form->View.mode, ChartMode::Record);
            EXPECT_EQ(form->statusText(5), QStringLiteral("Mode:Record"));
            EXPECT_EQ(form->statusText(4), QStringLiteral("Length:"));
            EXPECT_EQ(form->ChannelCaption[0]->text(), QStringLiteral("Power"));
            EXPECT_FALSE(form->RecordFileReady);
        }
    }
    form->hide();
    // A cancelled Open only redraws.
    dialogs.fileNames.push_back(QString());
    form->SeSkinSpeedButton1Click();
    EXPECT_EQ(form->View.mode, ChartMode::Record);
}

TEST_F(RecordWindow, TheCommandLineFileOpensThroughTheOpenTimer)
{
    create();
    RecordBlock block;
    CreateRecordFile(path("cmd.vqr"), block);
    CommandLineFile = path("cmd.vqr");
    form->OpenTimer->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->isVisible(); }, 5000));
    EXPECT_FALSE(form->OpenTimer->isActive());
    EXPECT_EQ(form->statusText(5), QStringLiteral("Mode:Read"));
    EXPECT_EQ(form->statusText(2), QStringLiteral("Start:0"));
    EXPECT_EQ(form->statusText(3), QStringLiteral("End:0"));
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(RecordWindow, ZoomMoveScrollAndTrackOnTheLiveRecord)
{
    create();
    startRecording();
    for (int i = 0; i < 999; ++i)
        form->Record.sample(Measurement, clock.current);
    tick(1.0f);
    form->SeSkinSpeedButton7Click();
    EXPECT_EQ(form->View.recordCompression, 2);
    EXPECT_EQ(form->TrackBar1->value(), 149);
    EXPECT_EQ(form->GridTimer->interval(), 2000);
    form->SeSkinSpeedButton7Click();
    EXPECT_FALSE(form->SeSkinSpeedButton7->isEnabled() || form->BackwardCompression1->isEnabled());
    EXPECT_EQ(form->statusText(0), QStringLiteral("采样步长：2S"));
    form->SeSkinSpeedButton8Click();
    EXPECT_TRUE(form->SeSkinSpeedButton7->isEnabled());
    EXPECT_EQ(form->View.recordCompression, 1);

    form->SeSkinSpeedButton9Click(); // at offset 0 Move Left disables itself
    EXPECT_FALSE(form->SeSkinSpeedButton9->isEnabled() || form->MoveLeft1->isEnabled());
    form->SeSkinSpeedButton10Click(); // 0 + 500 < 1000: moves, and the thumb follows
    EXPECT_TRUE(form->SeSkinSpeedButton9->isEnabled());
    EXPECT_EQ(form->SeSkinScrollBar1->value(), 225);
    EXPECT_EQ(form->View.recordOffset, 500);

    // A scroll position that would show less than 95 % of the width is ignored.
    form->SeSkinScrollBar1->setValue(10);
    EXPECT_EQ(form->View.recordOffset, 22);
    EXPECT_TRUE(form->ScrollBar1ChangeTimer->isActive());
    form->SeSkinScrollBar1->setValue(300);
    EXPECT_EQ(form->View.recordOffset, 22);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->ScrollBar1ChangeTimer->isActive(); }, 2000));
}

TEST_F(RecordWindow, RangeScaleAndChannelButtons)
{
    create();
    QStringList texts;
    for (int click = 0; click < 3; ++click) {
        form->SeSkinButton19->click();
        texts << form->statusText(6);
    }
    EXPECT_EQ(texts, QStringList({ "Range: Bipolar    ", "Range: Negative    ", "Range: Positive    " }));
    for (int i = 0; i < 13; ++i)
        form->ScaleUpButton[1]->click();
    EXPECT_EQ(form->View.scaleIndex[1], 16);
    EXPECT_FALSE(form->ScaleUpButton[1]->isEnabled());
    form->ScaleDownButton[1]->click();
    EXPECT_TRUE(form->ScaleUpButton[1]->isEnabled());

    form->OnOffButton[2]->click();
    EXPECT_FALSE(form->View.visible[2]);
    EXPECT_FALSE(form->ChannelTag[2]->isEnabled() || form->ChannelCaption[2]->isEnabled());
    EXPECT_FALSE(form->ScaleUpButton[2]->isEnabled() || form->ScaleDownButton[2]->isEnabled());
    EXPECT_TRUE(form->Image[2]->isHidden());
    form->OnOffButton[2]->click();
    EXPECT_TRUE(form->ChannelTag[2]->isEnabled() && form->ScaleUpButton[2]->isEnabled());
}

TEST_F(RecordWindow, HiddenChannelsStillReadOutUnderTheMouse)
{
    create();
    startRecording();
    for (int i = 0; i < 3; ++i)
        form->ScaleDownClick(0); // CH1 on the bottom line, clear of the other traces
    for (int i = 0; i < 10; ++i)
        tick(float(i));
    const auto greenShown = [&] {
        bool green = false;
        for (int x = 0; x < 9; ++x)
            for (int y = 0; y < 332; ++y)
                green |= form->traceSurface().pixelColor(x, y) == QColor(0, 128, 0);
        return green;
    };
    EXPECT_TRUE(greenShown());
    form->ChannelOnOffClick(0);
    EXPECT_FALSE(greenShown());
    form->Pic4MouseMove(0);
    EXPECT_EQ(form->ChannelValue[0]->text(), QStringLiteral("Value:9.438"));
    EXPECT_TRUE(form->Label19->text().startsWith(QStringLiteral("Date：")));
    form->Pic4MouseMove(3);
    EXPECT_EQ(form->ChannelValue[0]->text(), QStringLiteral("Value:6.438"));
    form->Pic4MouseMove(500); // past the record: the readout stays
    EXPECT_EQ(form->ChannelValue[0]->text(), QStringLiteral("Value:6.438"));
}

TEST_F(RecordWindow, ModeSwitchChangesTheFaceAndAMissingFaceIsReportedAfterTheSwitch)
{
    create();
    form->SeSkinSpeedButton11Click();
    EXPECT_EQ(form->View.mode, ChartMode::Read);
    EXPECT_EQ(form->statusText(5), QStringLiteral("Mode:Read"));
    EXPECT_FALSE(form->SeSkinSpeedButton11->icon().isNull());
    QFile::remove(programDir.filePath(QStringLiteral("PenData/12.dat")));
    form->SeSkinSpeedButton11Click();
    EXPECT_EQ(form->View.mode, ChartMode::Record);
    EXPECT_EQ(form->statusText(5), QStringLiteral("Mode：Record"));
    EXPECT_EQ(dialogs.texts(), QStringList({ qt_error_string(ENOENT) }));

    form->Pic4DblClick();
    EXPECT_FALSE(form->TrackBar1->isHidden());
    form->Pic4DblClick();
    EXPECT_TRUE(form->TrackBar1->isHidden());
}

TEST_F(RecordWindow, ClosingDuringARecordingOnlyHidesTheWindow)
{
    create();
    form->show();
    startRecording();
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
    tick(1.0f);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->RecordCount(), 1);
}

TEST_F(RecordWindow, AWindowLargerThanTheSurfacesGetsSurfacesOfItsSize)
{
    create();
    form->show();
    form->resize(3000, 1900);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Pic4->width() > 2400; }, 3000));
    EXPECT_GE(form->traceSurface().width(), form->Pic4->width());
    EXPECT_GE(form->traceSurface().height(), form->Pic4->height());
    // The controls over the chart follow the panel.
    EXPECT_EQ(form->TrackBar1->geometry().left(), 29);
    EXPECT_EQ(form->TrackBar1->width(), form->Panel2->width() - 81);
    EXPECT_EQ(form->SeSkinButton19->pos(), QPoint(form->Pic5->x() + 1, form->Panel2->height() - 36));
    EXPECT_EQ(form->Panel2->pos(), QPoint(5, 16));
    EXPECT_EQ(form->Pic5->width(), 50);
}

} // namespace

namespace {

QStringList csvLines(const QString &file)
{
    QFile csv(file);
    if (!csv.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TEST_F(RecordWindow, ExportCsvSitsBesideTheFileItemsAndWritesTheLiveOrTheLoadedRecord)
{
    create();
    QStringList items;
    for (QAction *action : form->findChild<QMenu *>(QStringLiteral("File1"))->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, QStringList({ "Open", "New ", "Print", "Export CSV...", "-", "Exit " }));

    // The live record, while it is being recorded.
    startRecording(QStringLiteral("live.vqr"));
    for (float seed : { 230.5f, 231.25f, 229.0f })
        tick(seed);
    dialogs.fileNames.push_back(path("live.csv"));
    form->ExportCsv1Click();
    EXPECT_EQ(dialogs.fileDialogs.back().second, QStringLiteral("live.csv"));
    QStringList lines = csvLines(path("live.csv"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("time,CH1 Power (W),")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(",229.4375"))) << qPrintable(lines[3]); // WRMS of seed 229
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("2026-"))) << qPrintable(lines[1]);

    // An existing file is written over only when the user says so; Cancel does nothing.
    dialogs.fileNames.push_back(path("live.csv"));
    dialogs.answers.push_back(false);
    tick(240.0f);
    form->ExportCsv1Click();
    EXPECT_EQ(csvLines(path("live.csv")).size(), 4);
    dialogs.fileNames.push_back(QString());
    form->ExportCsv1Click();
    EXPECT_EQ(dialogs.questions.size(), 1u);

    // The loaded record, once one is open.
    Recorder source;
    source.settings.channelSignal = { 0, 1, 7, 200, 9, 6 };
    source.newFile(path("three.vqr"));
    Measurement.URMS = 0.1f;
    for (int i = 0; i < 2500; ++i)
        source.sample(Measurement, clock.current.addSecs(i));
    source.save();
    dialogs.fileNames.push_back(path("three.vqr"));
    form->SeSkinSpeedButton1Click();
    dialogs.fileNames.push_back(path("three.csv"));
    form->ExportCsv1Click();
    EXPECT_EQ(dialogs.fileDialogs.back().second, QStringLiteral("three.csv"));
    lines = csvLines(path("three.csv"));
    ASSERT_EQ(lines.size(), 2501);
    EXPECT_EQ(lines[0],
        QStringLiteral("time,CH1 Vol (V),CH2 Amp (A),CH3 Power Factor,CH4,CH5 Amp THD,CH6 Frequency (Hz)"));
    EXPECT_TRUE(lines[2500].contains(QStringLiteral(",0.1,"))) << qPrintable(lines[2500]);
    EXPECT_TRUE(dialogs.messages.empty());

    // A file that cannot be written is reported with the system's text.
    dialogs.fileNames.push_back(path("no folder/three.csv"));
    form->ExportCsv1Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_FALSE(QFile::exists(path("no folder/three.csv")));
}

} // namespace
