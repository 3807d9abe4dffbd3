// The starting-test window on a fake port: arming, the fetch of six pages through the main
// window's reply handler, the chart, the view buttons, the range lists and Save.

#include "InstrumentFixture.h"

#include "instrument/StartingChart.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <cmath>
#include <vector>

namespace {

const QString Question = QStringLiteral("  单击确定后按下仪器的Starting开关!  ");

// A capture whose current peaks at 1000 counts with 0.01 A a count, voltage at 1500 with 0.2 V.
std::vector<uint8_t> testCapture(int currentPeakSample = 500)
{
    std::vector<uint8_t> block = InitialStartingCaptureBlock();
    const auto putSingle = [&](int offset, float value) {
        const uint32_t bits = SingleBits(value);
        for (int k = 0; k < 4; ++k)
            block[offset + k] = static_cast<uint8_t>(bits >> (8 * k));
    };
    const auto put = [&](int offset, int counts) {
        block[offset] = static_cast<uint8_t>(counts & 0xFF);
        block[offset + 1] = static_cast<uint8_t>(counts >> 8);
    };
    putSingle(0, 0.2f);
    putSingle(4, 0.01f);
    for (int n = 0; n < CaptureSampleCount; ++n) {
        put(8 + 2 * n, 2047 + static_cast<int>(1500 * std::sin(n * 0.05)));
        put(8 + 2 * CaptureSampleCount + 2 * n, 2047 + static_cast<int>(300 * std::sin(n * 0.05 - 0.5)));
    }
    put(8 + 2 * CaptureSampleCount + 2 * currentPeakSample, 2047 + 1000);
    put(8 + 2 * 700, 2047 - 1500);
    return block;
}

QByteArray page(const std::vector<uint8_t> &capture, int number)
{
    return WithCrc(
        QByteArray(reinterpret_cast<const char *>(capture.data()) + (number - 1) * StartingPageBytes,
            StartingPageBytes));
}

class StartingWindow : public InstrumentFixture
{
protected:
    void SetUp() override
    {
        InstrumentFixture::SetUp();
        StartingForm->resize(810, 613);
        StartingForm->show(); // lays the chart area out
    }

    void TearDown() override
    {
        StartingForm->hide();
        InstrumentFixture::TearDown();
    }

    void arm()
    {
        dialogs.answers.push_back(true);
        StartingForm->SeSkinSpeedButton1->click();
        takeWritten();
    }

    // The notice, then the pages from `first` to `last`, each answered at once.
    void fetch(const std::vector<uint8_t> &capture, int first = 1, int last = 6)
    {
        if (first == 1)
            receive(WithCrc(Hex("01 0a 92")));
        for (int number = first; number <= last; ++number)
            receive(page(capture, number));
    }
};

TEST_F(StartingWindow, ArmingSendsTheRangeCode)
{
    openPort();
    StartingForm->ComboBox2->setCurrentText(QStringLiteral("75V"));
    StartingForm->ComboBox1->setCurrentText(QStringLiteral("2"));
    StartingPage = 4;
    dialogs.answers.push_back(true);
    StartingForm->SeSkinSpeedButton1->click();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("启动测试"));
    EXPECT_EQ(dialogs.questions[0].text, Question);
    EXPECT_EQ(StartingForm->RangeCode, 0x22);
    EXPECT_EQ(takeWritten(), ReadRequest(147, 0x0022));
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("发送测试请求"));
    EXPECT_EQ(LastRegister, 147);
    EXPECT_EQ(LastCount, 0x22);
    EXPECT_EQ(StartingPage, 0);
}

TEST_F(StartingWindow, AnsweringNoChangesNothing)
{
    openPort();
    LastRegister = 148;
    LastCount = 2;
    StartingPage = 3;
    dialogs.answers.push_back(false);
    StartingForm->SeSkinSpeedButton1->click();
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Norvo"));
    EXPECT_EQ(LastRegister, 148);
    EXPECT_EQ(LastCount, 2);
    EXPECT_EQ(StartingPage, 3);
}

TEST_F(StartingWindow, SamplingOrAClosedPortStopsTheArming)
{
    SamplingMode = 2;
    StartingForm->SeSkinSpeedButton1->click();
    EXPECT_EQ(dialogs.texts(), QStringList { QStringLiteral("    请先停止连续测试！    ") });
    EXPECT_TRUE(dialogs.questions.empty());

    SamplingMode = 0;
    dialogs.messages.clear();
    dialogs.answers.push_back(true);
    StartingForm->SeSkinSpeedButton1->click();
    EXPECT_EQ(dialogs.texts(), QStringList { QStringLiteral("请求读失败，仪器和电脑还没有连接。") });
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("发送测试请求"));
    EXPECT_TRUE(port().written.isEmpty());
}

TEST_F(StartingWindow, SixPagesAreFetchedThenDrawn)
{
    openPort();
    arm();
    const std::vector<uint8_t> capture = testCapture();
    receive(WithCrc(Hex("01 0a 92")));
    EXPECT_EQ(takeWritten(), ReadRequest(147, 0x0100));
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Trigger completed, requesting ......"));
    for (int number = 1; number <= 5; ++number) {
        SCOPED_TRACE(number);
        receive(page(capture, number));
        EXPECT_EQ(takeWritten(), ReadRequest(147, static_cast<uint16_t>((number + 1) << 8)));
        EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Requesting %1Data frame").arg(number + 1));
        EXPECT_EQ(StartingForm->Peaks.currentText, QStringLiteral("电流峰值0A")); // not drawn before the end
    }
    receive(page(capture, 6));
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Completed"));
    EXPECT_EQ(StartingPage, 0);
    EXPECT_EQ(StartingForm->Peaks.currentText, QStringLiteral("电流峰值10A"));
    EXPECT_EQ(StartingForm->Peaks.voltageText, QStringLiteral("电压峰值300V"));
    // The current's peak sample 500 is drawn at x = 492, one division below the top line.
    const int h = StartingForm->StartingPic->height();
    EXPECT_EQ(
        StartingForm->ChartPicture.pixelColor(492, ChartSampleY(h, 2047 + 1000, CurrentTraceScale(h, 1000))),
        CurrentTraceColor);
}

TEST_F(StartingWindow, ANoticeDuringAFetchRestartsItAndTheOldChartStaysUntilTheEnd)
{
    openPort();
    arm();
    fetch(testCapture(500));
    const QString firstPeak = StartingForm->Peaks.currentText;
    const auto firstCapture = StartingCapture;

    std::vector<uint8_t> second = testCapture(600);
    second[4] = 0; // another current scale
    second[5] = 0;
    second[6] = 0xA0;
    second[7] = 0x3C; // 0.01953125
    fetch(second, 1, 3);
    EXPECT_EQ(takeWritten().right(8), ReadRequest(147, 0x0400));
    EXPECT_EQ(StartingCapture, firstCapture);
    EXPECT_EQ(StartingForm->Peaks.currentText, firstPeak);

    receive(WithCrc(Hex("01 0a 92")));
    EXPECT_EQ(StartingPage, 1);
    EXPECT_EQ(takeWritten(), ReadRequest(147, 0x0100));
    fetch(second, 1, 6);
    EXPECT_EQ(StartingForm->Peaks.currentText, QStringLiteral("电流峰值19.53A"));
    EXPECT_TRUE(std::equal(StartingCapture.begin(), StartingCapture.end(), second.begin()));
}

TEST_F(StartingWindow, ViewButtonsGreyOnePressLate)
{
    for (int press = 1; press <= 7; ++press) {
        StartingForm->SeSkinSpeedButton3->click();
        EXPECT_EQ(StartingForm->View.offset, 320 * press);
    }
    EXPECT_TRUE(StartingForm->SeSkinSpeedButton3->isEnabled());
    StartingForm->SeSkinSpeedButton3->click();
    EXPECT_EQ(StartingForm->View.offset, 2240);
    EXPECT_FALSE(StartingForm->SeSkinSpeedButton3->isEnabled());
    StartingForm->SeSkinSpeedButton2->click();
    EXPECT_EQ(StartingForm->View.offset, 1920);
    EXPECT_TRUE(StartingForm->SeSkinSpeedButton3->isEnabled());

    StartingForm->SeSkinSpeedButton5->click();
    EXPECT_EQ(StartingForm->View.compression, 1);
    EXPECT_FALSE(StartingForm->SeSkinSpeedButton5->isEnabled());
    StartingForm->SeSkinSpeedButton4->click();
    EXPECT_EQ(StartingForm->View.compression, 2);
    EXPECT_TRUE(StartingForm->SeSkinSpeedButton5->isEnabled());
}

TEST_F(StartingWindow, RangeListsWorkOnlyWhileThePointerIsOverTheirFrames)
{
    const auto move = [](QWidget *widget) {
        QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    EXPECT_FALSE(StartingForm->ComboBox1->isEnabled());
    EXPECT_FALSE(StartingForm->ComboBox2->isEnabled());
    move(StartingForm->GroupBox2);
    EXPECT_TRUE(StartingForm->ComboBox2->isEnabled());
    EXPECT_FALSE(StartingForm->ComboBox1->isEnabled());
    move(StartingForm->GroupBox1);
    EXPECT_TRUE(StartingForm->ComboBox1->isEnabled());
    move(StartingForm->StartingPic);
    EXPECT_FALSE(StartingForm->ComboBox1->isEnabled());
    EXPECT_FALSE(StartingForm->ComboBox2->isEnabled());
    EXPECT_EQ(StartingForm->GroupBox2->title(), QStringLiteral("Vol Range"));
    EXPECT_EQ(StartingForm->ComboBox2->count(), 4);
    EXPECT_EQ(StartingForm->ComboBox1->itemText(3), QStringLiteral("1 (Low)"));
}

class StartingSave : public StartingWindow
{
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(StartingSave, WritesTheChartAreaAsA24BitBitmap)
{
    openPort();
    arm();
    fetch(testCapture());
    dialogs.fileNames.push_back(path("chart.bmp"));
    StartingForm->SeSkinSpeedButton6->click();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("Norvo启动测试文件(.bmp)|*.bmp"));
    EXPECT_EQ(dialogs.fileDialogs[0].second, QStringLiteral("StartingTestFile.bmp"));
    EXPECT_TRUE(dialogs.questions.size() == 1u); // only the arming question

    QFile file(path("chart.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);
    const QImage saved = QImage::fromData(bytes, "BMP");
    const QSize area = StartingForm->StartingPic->size();
    ASSERT_EQ(saved.size(), area);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
        StartingForm->ChartPicture.copy(QRect(QPoint(0, 0), area)).convertToFormat(QImage::Format_RGB32));
}

TEST_F(StartingSave, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    QFile old(path("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();

    dialogs.fileNames.push_back(path("old.bmp"));
    dialogs.answers.push_back(false);
    StartingForm->SeSkinSpeedButton6->click();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.contains(QStringLiteral("old.bmp")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("keep me"));
    old.close();

    dialogs.fileNames.push_back(path("old.bmp"));
    dialogs.answers.push_back(true);
    StartingForm->SeSkinSpeedButton6->click();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().startsWith("BM"));
}

TEST_F(StartingSave, CancelWritesNothingAndAFailedWriteShowsTheSystemText)
{
    StartingForm->SeSkinSpeedButton6->click(); // cancelled
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.fileNames.push_back(path("no/such/folder/chart.bmp"));
    StartingForm->SeSkinSpeedButton6->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("No such file"), Qt::CaseInsensitive))
        << qPrintable(dialogs.messages[0].text);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(path("no/such/folder/chart.bmp") + QStringLiteral(": ")))
        << "the message names the file: " << qPrintable(dialogs.messages[0].text);
}

TEST_F(StartingSave, ANameTypedWithoutExtensionIsSavedAsBmp)
{
    dialogs.fileNames.push_back(path("inrush"));
    StartingForm->SeSkinSpeedButton6->click();
    EXPECT_TRUE(dialogs.messages.empty());
    QFile file(path("inrush.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("BM"));
    EXPECT_FALSE(QFile::exists(path("inrush")));
}

TEST_F(StartingWindow, AChartAreaLargerThan2400By1600IsDrawnWhole)
{
    openPort();
    arm();
    std::vector<uint8_t> capture = testCapture();
    fetch(capture);
    StartingForm->resize(3200, 1900);
    const QSize area = StartingForm->StartingPic->size();
    ASSERT_GT(area.width(), 2560);
    ASSERT_GT(area.height(), 1600);
    EXPECT_GE(StartingForm->ChartPicture.width(), area.width());
    EXPECT_GE(StartingForm->ChartPicture.height(), area.height());
    // The last sample is drawn at x = 2551, and the peak texts at the bottom of the area.
    const StartingCaptureData data = DecodeStartingCapture(StartingCapture.data());
    const int h = area.height();
    EXPECT_EQ(StartingForm->ChartPicture.pixelColor(2551,
                  ChartSampleY(h, data.voltage[2559], VoltageTraceScale(h, PeakDeviation(data.voltage)))),
        VoltageTraceColor);
    bool textDrawn = false;
    for (int y = h - 15; y < h && !textDrawn; ++y)
        for (int x = 5; x < 100 && !textDrawn; ++x)
            textDrawn = StartingForm->ChartPicture.pixelColor(x, y) == VoltageTraceColor;
    EXPECT_TRUE(textDrawn);
}

} // namespace
