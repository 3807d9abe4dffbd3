// The main window: its controls as the user sees them, the enabling of the acquisition
// controls, the mode commands, closing, resizing, and the measurement file commands.

#include "link/forms/MainFixture.h"

#include "app/forms/QtDialogs.h"
#include "appearance/Fonts.h"
#include "appearance/SkinEngine.h"
#include "appearance/forms/skins.h"
#include "base/DateTimeText.h"
#include "base/Language.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "measure/MeasurementCsv.h"
#include "measure/MeasurementFile.h"
#include "measure/forms/version.h"
#include "record/forms/RecSet.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <QUrl>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using MainWindow = MainFormFixture;

// "name:caption" per item, "-" per separator, "(hidden)" and "(off)" marks.
QStringList MenuItems(const QMenu *menu)
{
    QStringList items;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
            continue;
        }
        QString item = action->objectName() + QLatin1Char(':') + action->text();
        if (!action->isVisible())
            item += QStringLiteral(" (hidden)");
        else if (!action->isEnabled()) // a hidden item reads as disabled too
            item += QStringLiteral(" (off)");
        items << item;
    }
    return items;
}

TEST_F(MainWindow, WindowsCarryTheirCaptionsAndSizes)
{
    TVForm version(form.get());
    Tskin skinWindow(form.get());
    TPrinterForm print(form.get());
    TEnterInfoForm info(form.get());
    TRecSetForm recSet(form.get());
    TCalibrateForm calibrate(form.get());
    TExternal_CT_form ct(form.get());
    struct Case
    {
        QWidget *window;
        const char *name;
        const char *caption;
        QSize size;
    } cases[] = {
        { form.get(), "MainForm", "NORVO Precision Measurement Technology", { 895, 615 } },
        { &version, "VForm", "Version", { 313, 137 } },
        { &skinWindow, "skin", "更换皮肤", { 275, 362 } },
        { CommForm, "CommForm", "Communication ", { 326, 521 } },
        { &print, "PrinterForm", "PrinterForm", { 747, 500 } },
        { &info, "EnterInfoForm", "输入打印信息", { 449, 281 } },
        { RecordForm, "RecordForm", "Record ", { 797, 598 } },
        { &recSet, "RecSetForm", "记录设置", { 429, 299 } },
        { &calibrate, "CalibrateForm", "CalibrateForm", { 505, 278 } },
        { AlarmForm, "AlarmForm", "Alarm", { 442, 315 } },
        { StartingForm, "StartingForm", "启动测试", { 810, 613 } },
        { &ct, "External_CT_form", "外部互感器选项", { 302, 204 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.window->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(c.window->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(c.window->size(), c.size);
        EXPECT_FALSE(c.window->isVisible());
    }
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Norvo"));
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("Status:"));
    EXPECT_FALSE(RecordForm->OpenTimer->isActive());
    EXPECT_EQ(RecordForm->OpenTimer->interval(), 1000);
}

TEST_F(MainWindow, VersionWindowTexts)
{
    TVForm version(form.get());
    QStringList texts;
    for (const QLabel *label : version.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("NORVO Precision Measurement Technology Co., Ltd(")
        + TMainForm::MakerLocation + QStringLiteral(")")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version Number : KMR5150_S_02")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version Title : KMR5150 Software")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Date : 2009-9-8")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Wedsite: ") + TMainForm::WebAddress));
    EXPECT_EQ(version.Button1->text(), QStringLiteral("Enter"));
    version.open();
    ASSERT_TRUE(version.isVisible());
    version.Button1->click();
    EXPECT_FALSE(version.isVisible());
}

TEST_F(MainWindow, MenuCaptionsSeparatorsAndStartingStates)
{
    const QList<QMenu *> menus
        = form->menuBar()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly);
    QStringList titles;
    for (const QAction *action : form->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList { "File(&F)", "Option (&O)", "Run (&P)", "Help(&H)" }));

    struct Case
    {
        QMenu *menu;
        QStringList items;
    } cases[] = {
        { form->File1,
            { "N2:Open", "N3:Save", "ExportCsv1:Export CSV...", "-", "SetReference1:Set as reference",
                "LoadReference1:Load reference...", "ClearReference1:Clear reference (off)", "-", "N5:Print",
                "-", "N7:Exit" } },
        { form->Option1,
            { "C1:Communication", "-", "N9:Style", "-", "N11:Alarm", "-", "N25:校准  (hidden)", "-",
                "N27:Bandwidth", "-", "IEC1:THD", "-", "N30:CT", "-", "Language1:Language", "-",
                "Compare1:Compare", "Compliance1:Harmonic compliance" } },
        { form->N27Menu, { "N31:Narrowband &(Y)←", "N32:Wide Band &(Z)" } },
        { form->IEC1Menu, { "IEC2:%f： IEC方式 &(Y)←", "CSA1:%r： CSA方式 &(Z)" } },
        { form->Language1Menu,
            { "LanguageOriginal1:Original", "LanguageEnglish1:English", "LanguageChinese1:中文" } },
        { form->Run1,
            { "N12:Single Sampling", "N13:Continuous Sampling", "N14:Stop  (off)", "-", "N15:Starting Test",
                "-", "N18:Harmonic Table", "-", "N20:Record" } },
        { form->Help1, { "N21:Edition", "Norvo1:Norvo Website ", "-", "N23:Handbook " } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.menu->title().toStdString());
        EXPECT_EQ(MenuItems(c.menu), c.items);
    }
}

TEST_F(MainWindow, ToolBarOrderDividersAndStartingStates)
{
    QStringList items;
    for (QAction *action : form->SeSkinToolBar1->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("|");
            continue;
        }
        QWidget *button = form->SeSkinToolBar1->widgetForAction(action);
        items << button->objectName() + (button->isEnabled() ? QString() : QStringLiteral(" (off)"));
    }
    EXPECT_EQ(items,
        (QStringList { "SeSkinSpeedButton1", "SeSkinSpeedButton2", "SeSkinSpeedButton3", "|",
            "SeSkinSpeedButton4", "|", "SeSkinSpeedButton5", "|", "SeSkinSpeedButton6", "|",
            "SeSkinSpeedButton10", "|", "SeSkinSpeedButton7 (off)", "SeSkinSpeedButton8 (off)",
            "SeSkinSpeedButton9 (off)", "|" }));
    for (QToolButton *button : form->SeSkinToolBar1->findChildren<QToolButton *>())
        if (button->objectName().startsWith(QStringLiteral("SeSkinSpeedButton"))) {
            EXPECT_TRUE(button->text().isEmpty()) << button->objectName().toStdString();
        }
}

TEST_F(MainWindow, StatusBarPanels)
{
    struct Case
    {
        const char *text;
        int width; // 0: stretches
        Qt::Alignment horizontal;
    } cases[] = {
        { "Communication ......", 180, Qt::AlignLeft },
        { "Status ......", 100, Qt::AlignRight },
        { "Progress", 70, Qt::AlignRight },
        { "", 124, Qt::AlignLeft },
        { "Date ", 0, Qt::AlignLeft },
        { "", 76, Qt::AlignHCenter },
        { "Electrical Measurement Experts  ", 170, Qt::AlignRight },
    };
    form->resize(1200, 615);
    form->show();
    for (int i = 0; i < TMainForm::StatusPanelCount; ++i) {
        SCOPED_TRACE(i);
        QLabel *panel = form->StatusPanels[i];
        EXPECT_EQ(panel->parentWidget(), form->StatusBar);
        EXPECT_EQ(panel->text(), QString::fromUtf8(cases[i].text));
        EXPECT_EQ(panel->alignment() & Qt::AlignHorizontal_Mask, cases[i].horizontal);
        if (cases[i].width) {
            EXPECT_EQ(panel->width(), cases[i].width);
        }
        if (i > 0) {
            EXPECT_LT(form->StatusPanels[i - 1]->x(), panel->x());
        }
    }
    // The date panel takes what the others leave.
    EXPECT_GT(form->StatusPanels[TMainForm::PanelDate]->width(), 50);
    EXPECT_EQ(form->ProgressBar1->parentWidget(), form->StatusPanels[TMainForm::PanelProgress]);
    EXPECT_EQ(form->ProgressBar1->maximum(), 50);
    EXPECT_EQ(form->StatusPanels[TMainForm::PanelImage], form->Image1);
    EXPECT_EQ(form->Image1->cursor().shape(), Qt::PointingHandCursor);
    form->hide();
}

TEST_F(MainWindow, StatusTextsFitTheirPanelsAtTheDesignSize)
{
    // As the program starts: the design face for the application and the stored skin's sheet
    // shown before the window is made.
    InstallFontSubstitutes();
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(DesignFont());
    ProgramSkin().setActive(true);
    ASSERT_TRUE(ProgramSkin().loadFromFile(QStringLiteral(KMR_SOURCE_DIR "/data/SkinsFile/02.ats")));
    const auto restore = qScopeGuard([&] {
        ProgramSkin().setActive(false);
        QApplication::setFont(applicationFont);
    });
    TMainForm window;
    window.resize(895, 615);
    window.show();
    // The longest date and time of a year in a few locales' short date and long time formats.
    const QDateTime late(QDate(2026, 12, 31), QTime(23, 59, 59));
    for (const char *locale : { "C", "en_US", "en_GB", "de_DE", "zh_CN" }) {
        SCOPED_TRACE(locale);
        const QLocale l(QString::fromLatin1(locale));
        window.setStatusText(TMainForm::PanelDate,
            QStringLiteral("Date：") + ShortDateText(late.date(), l) + QStringLiteral(" ")
                + LongTimeText(late.time(), l));
        QCoreApplication::processEvents();
        for (int i = 0; i < TMainForm::StatusPanelCount; ++i) {
            const QLabel *panel = window.StatusPanels[i];
            if (panel->text().isEmpty())
                continue;
            EXPECT_LE(ShownTextWidth(*panel), panel->contentsRect().width())
                << i << " \"" << panel->text().toStdString() << "\" in "
                << panel->font().toString().toStdString();
        }
    }
}

// What overlaps or is cut in the window as it is laid out now: value panels and their labels
// inside the parameter box, the group boxes, the menu bar's titles, and the status texts.
QStringList Overlaps(TMainForm &window)
{
    QStringList found;
    QCoreApplication::processEvents();
    const QRect client = window.Panel1->rect();
    for (QGroupBox *box : { window.GroupBox1, window.GroupBox2, window.GroupBox3, window.GroupBox4 })
        if (!client.contains(box->geometry()))
            found << box->objectName() + QStringLiteral(" leaves the client area");
    QList<QWidget *> cells;
    for (QObject *child : window.GroupBox2->children())
        if (auto *widget = qobject_cast<QWidget *>(child); widget && widget->isVisible())
            cells << widget;
    for (QWidget *cell : cells) {
        if (!window.GroupBox2->rect().adjusted(2, 2, -2, -2).contains(cell->geometry()))
            found << cell->objectName() + QStringLiteral(" leaves its box");
        if (auto *label = qobject_cast<QLabel *>(cell); label && !label->text().isEmpty()
            && label->pixmap().isNull()
            && QFontMetrics(label->font()).horizontalAdvance(label->text()) > label->contentsRect().width())
            found << label->objectName() + QStringLiteral(" cuts \"%1\"").arg(label->text());
        for (QWidget *other : cells)
            if (other < cell && other->geometry().intersects(cell->geometry()))
                found << cell->objectName() + QStringLiteral(" overlaps ") + other->objectName();
    }
    for (int i = 0; i < TMainForm::StatusPanelCount; ++i) {
        const QLabel *panel = window.StatusPanels[i];
        if (!panel->text().isEmpty() && ShownTextWidth(*panel) > panel->contentsRect().width())
            found << QStringLiteral("status panel %1 cuts \"%2\"").arg(i).arg(panel->text());
        if (panel->geometry().right() > window.StatusBar->width())
            found << QStringLiteral("status panel %1 leaves the status bar").arg(i);
    }
    return found;
}

TEST_F(MainWindow, NothingOverlapsAtTheMinimumSizeOrAbove)
{
    InstallFontSubstitutes();
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(DesignFont());
    const auto restore = qScopeGuard([&] { QApplication::setFont(applicationFont); });
    TMainForm window;
    window.show();
    window.resize(300, 200);
    EXPECT_EQ(window.size(), window.minimumSize()) << "the window is not made smaller than its minimum";
    const QDateTime late(QDate(2026, 12, 31), QTime(23, 59, 59));
    for (const QSize size : { window.minimumSize(), QSize(895, 615), QSize(1600, 1000) }) {
        window.resize(size);
        for (const char *locale : { "C", "en_US", "zh_CN" }) {
            const QLocale l(QString::fromLatin1(locale));
            window.setStatusText(TMainForm::PanelDate,
                QStringLiteral("Date：") + ShortDateText(late.date(), l) + QStringLiteral(" ")
                    + LongTimeText(late.time(), l));
            EXPECT_EQ(Overlaps(window), QStringList())
                << size.width() << "x" << size.height() << " " << locale;
        }
    }
    // The check sees the faults it looks for.
    window.setMinimumSize(0, 0);
    window.resize(700, 400);
    EXPECT_NE(Overlaps(window), QStringList());
}

TEST_F(MainWindow, ClientAreaHoldsTheGroupBoxesLabelsAndValuePanels)
{
    EXPECT_EQ(form->GroupBox1->title(), QStringLiteral(" WAVE "));
    EXPECT_EQ(form->GroupBox2->title(), QStringLiteral("Parameter "));
    EXPECT_EQ(form->GroupBox3->title(), QStringLiteral("   UTHD  "));
    EXPECT_EQ(form->GroupBox4->title(), QStringLiteral("   ITHD  "));
    EXPECT_EQ(form->Pic1->parentWidget(), form->Panel2);
    EXPECT_EQ(form->Panel2->parentWidget(), form->GroupBox1);
    EXPECT_EQ(form->Pic2->parentWidget(), form->Panel3);
    EXPECT_EQ(form->Panel3->parentWidget(), form->GroupBox3);
    EXPECT_EQ(form->Pic3->parentWidget(), form->Panel4);
    EXPECT_EQ(form->Panel4->parentWidget(), form->GroupBox4);

    // Label, its caption and the value panel beside it, row by row of each column.
    struct Case
    {
        const char *label, *caption, *panel;
    } cases[] = {
        { "Label1", "Vol", "Panel_URMS" },
        { "Label2", "Amp ", "Panel_IRMS" },
        { "Label3", "Power", "Panel_WRMS" },
        { "Label4", "  PF", "Panel_PF" },
        { "Label5", " IKF", "PANEL_IKF" },
        { "Label6", "Vpeak", "Panel_UPP" },
        { "Label7", "Ipeak", "Panel_IPP" },
        { "Label8", "      Ps", "Panel_PS" },
        { "Label9", "VTHD", "Panel_VTHD" },
        { "Label10", "   VKF", "Panel_VKF" },
        { "Label11", "Frequency", "Panel_UF" },
        { "Label12", "Phase", "Panel_IPA" },
        { "Label13", "     Pq", "Panel_PQ" },
        { "Label14", " ITHD", "Panel_ITHD" },
        { "Label15", " KWH", "Panel_KWH" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        auto *label = form->GroupBox2->findChild<QLabel *>(QString::fromLatin1(c.label));
        auto *panel = form->GroupBox2->findChild<QLabel *>(QString::fromLatin1(c.panel));
        ASSERT_TRUE(label && panel);
        EXPECT_EQ(label->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_EQ(panel->height(), 33);
        EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
        EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(0, 128, 128));
        EXPECT_EQ(panel->font().pixelSize(), 17);
        // Same row: the panel sits 11 pixels above its label's top.
        EXPECT_EQ(label->y() - panel->y(), 11);
        EXPECT_LT(label->x(), panel->x());
    }
}

// The acquisition controls the enabling table speaks of, as "on"/"off" per control.
struct Controls
{
    bool single, continuous, stop;
    bool n12, n13, n14, c1, n11, modes;
};

Controls ReadControls(const TMainForm &f)
{
    const bool modes = f.N31->isEnabled() && f.N32->isEnabled() && f.IEC2->isEnabled() && f.CSA1->isEnabled();
    const bool anyMode
        = f.N31->isEnabled() || f.N32->isEnabled() || f.IEC2->isEnabled() || f.CSA1->isEnabled();
    EXPECT_EQ(modes, anyMode) << "the four mode items are switched together";
    return { f.SeSkinSpeedButton7->isEnabled(), f.SeSkinSpeedButton8->isEnabled(),
        f.SeSkinSpeedButton9->isEnabled(), f.N12->isEnabled(), f.N13->isEnabled(), f.N14->isEnabled(),
        f.C1->isEnabled(), f.N11->isEnabled(), modes };
}

TEST_F(MainWindow, EnablingTable)
{
    openPort();
    auto connected = [](TMainForm &f) {
        // What the connection window does once the instrument's port is open.
        f.SeSkinSpeedButton7->setEnabled(true);
        f.SeSkinSpeedButton8->setEnabled(true);
        f.N12->setEnabled(true);
        f.N13->setEnabled(true);
    };
    auto measurement = [this](TMainForm &) { receive(MeasurementFrame(1.0f)); };
    struct Step
    {
        const char *event;
        std::function<void(TMainForm &)> act;
        Controls expected;
    } steps[] = {
        // event           single continuous stop  N12   N13   N14   C1    N11   modes
        { "program start", [](TMainForm &) {}, { false, false, false, true, true, false, true, true, true } },
        { "port connected", connected, { true, true, false, true, true, false, true, true, true } },
        { "Single", [](TMainForm &f) { f.SeSkinSpeedButton7Click(); },
            { false, false, true, true, true, false, true, true, true } },
        { "single measurement", measurement, { true, true, true, true, true, true, true, true, true } },
        { "Continuous", [](TMainForm &f) { f.SeSkinSpeedButton8Click(); },
            { false, false, true, false, false, true, false, false, false } },
        { "continuous measurement", measurement,
            { false, false, true, false, false, true, false, false, false } },
        { "Stop", [](TMainForm &f) { f.SeSkinSpeedButton9Click(); },
            { true, true, true, true, true, true, true, true, true } },
        { "Single from the menu", [](TMainForm &f) { f.N12->trigger(); },
            { false, false, true, true, true, true, true, true, true } },
        { "Stop from the menu", [](TMainForm &f) { f.N14->trigger(); },
            { true, true, true, true, true, true, true, true, true } },
        { "Continuous from the menu", [](TMainForm &f) { f.N13->trigger(); },
            { false, false, true, false, false, true, false, false, false } },
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.event);
        step.act(*form);
        const Controls got = ReadControls(*form);
        const Controls &want = step.expected;
        EXPECT_EQ(got.single, want.single);
        EXPECT_EQ(got.continuous, want.continuous);
        EXPECT_EQ(got.stop, want.stop);
        EXPECT_EQ(got.n12, want.n12);
        EXPECT_EQ(got.n13, want.n13);
        EXPECT_EQ(got.n14, want.n14);
        EXPECT_EQ(got.c1, want.c1);
        EXPECT_EQ(got.n11, want.n11);
        EXPECT_EQ(got.modes, want.modes);
    }
}

bool operator==(const Controls &a, const Controls &b)
{
    return a.single == b.single && a.continuous == b.continuous && a.stop == b.stop && a.n12 == b.n12
        && a.n13 == b.n13 && a.n14 == b.n14 && a.c1 == b.c1 && a.n11 == b.n11 && a.modes == b.modes;
}

TEST_F(MainWindow, SamplingCommandsSetModeTimersAndTheRepeatedRead)
{
    struct Case
    {
        const char *name;
        std::function<void(TMainForm &)> click;
        uint8_t mode;
    } cases[] = {
        { "single", [](TMainForm &f) { f.SeSkinSpeedButton7Click(); }, 1 },
        { "continuous", [](TMainForm &f) { f.SeSkinSpeedButton8Click(); }, 2 },
        { "single from the menu", [](TMainForm &f) { f.N12->trigger(); }, 1 },
        { "continuous from the menu", [](TMainForm &f) { f.N13->trigger(); }, 2 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (bool open : { true, false }) {
            SCOPED_TRACE(open ? "port open" : "port closed");
            if (open)
                openPort();
            else
                form->Comm1->setPortOpen(false);
            form->SeSkinSpeedButton9Click();
            dialogs.messages.clear();
            port().written.clear();
            LastRegister = 118;
            LastCount = 7;
            CommForm->LinkCheckTicks = 5;
            CommForm->ReconnectTicks = 6;
            const Controls before = ReadControls(*form);
            c.click(*form);
            if (open) {
                EXPECT_EQ(SamplingMode, c.mode);
                EXPECT_EQ(LastRegister, 148);
                EXPECT_EQ(LastCount, 2);
                EXPECT_EQ(CommForm->LinkCheckTicks, 0);
                EXPECT_EQ(CommForm->ReconnectTicks, 0);
                EXPECT_TRUE(form->ReReadTimer->isActive());
                EXPECT_FALSE(form->ContinuousReadTimer->isActive());
                EXPECT_EQ(takeWritten().toHex(), ReadFrame(148, 2).toHex());
                EXPECT_TRUE(dialogs.messages.empty());
            } else {
                EXPECT_TRUE(port().written.isEmpty());
                EXPECT_EQ(
                    dialogs.texts(), QStringList { QStringLiteral("Failed,The machine is not connected! ") });
                // Nothing starts without a port: mode, timers, the read to repeat, the watch's
                // counters and every control stay as they were.
                EXPECT_EQ(SamplingMode, 0);
                EXPECT_FALSE(form->ReReadTimer->isActive());
                EXPECT_FALSE(form->ContinuousReadTimer->isActive());
                EXPECT_EQ(LastRegister, 118);
                EXPECT_EQ(LastCount, 7);
                EXPECT_EQ(CommForm->LinkCheckTicks, 5);
                EXPECT_EQ(CommForm->ReconnectTicks, 6);
                EXPECT_TRUE(ReadControls(*form) == before);
            }
        }
    }
    form->SeSkinSpeedButton9Click();
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_FALSE(form->ReReadTimer->isActive());
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
}

TEST_F(MainWindow, ReReadTimerShowsTheFailureAndSendsNothingWhileThePortIsClosed)
{
    openPort();
    form->SeSkinSpeedButton7Click();
    takeWritten();
    form->Comm1->setPortOpen(false);
    // Every 2 s the failure shows; nothing is sent while the port is closed.
    form->ReReadTimerTimer();
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Connection Failure!"));
    EXPECT_TRUE(port().written.isEmpty());
    EXPECT_EQ(SamplingMode, 1);
}

TEST_F(MainWindow, StopSendsNothingAndStopsBothTimers)
{
    openPort();
    form->SeSkinSpeedButton8Click();
    form->ContinuousReadTimer->start();
    takeWritten();
    form->SeSkinSpeedButton9Click();
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_FALSE(form->ReReadTimer->isActive());
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
    EXPECT_TRUE(port().written.isEmpty());
}

TEST_F(MainWindow, ModeCommandsMoveTheArrowAndWriteTheModeWord)
{
    struct Case
    {
        const char *name;
        std::function<void(TMainForm &)> click;
        uint8_t before, after;
        const char *n31, *n32, *iec2, *csa1;
    } cases[] = {
        { "N32", [](TMainForm &f) { f.N32Click(); }, 0x00, 0x01, "Narrowband &(Y)", "Broadband &(Z)←",
            "%f： IEC方式 &(Y)←", "%r： CSA方式 &(Z)" },
        { "N31", [](TMainForm &f) { f.N31Click(); }, 0xF3, 0xF2, "Narrowband &(Y)←", "Broadband &(Z)",
            "%f： IEC方式 &(Y)←", "%r： CSA方式 &(Z)" },
        { "CSA1", [](TMainForm &f) { f.CSA1Click(); }, 0x81, 0x83, "Narrowband &(Y)←", "Wide Band &(Z)",
            "%f： IEC &(Y)", "%r： CSA &(Z)←" },
        { "IEC2", [](TMainForm &f) { f.IEC2Click(); }, 0x03, 0x01, "Narrowband &(Y)←", "Wide Band &(Z)",
            "%f： IEC &(Y)←", "%r： CSA &(Z)" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (bool open : { false, true }) {
            SCOPED_TRACE(open ? "port open" : "port closed");
            // Fresh captions for each run.
            form->N31->setText(QStringLiteral("Narrowband &(Y)←"));
            form->N32->setText(QStringLiteral("Wide Band &(Z)"));
            form->IEC2->setText(QStringLiteral("%f： IEC方式 &(Y)←"));
            form->CSA1->setText(QStringLiteral("%r： CSA方式 &(Z)"));
            if (open)
                openPort();
            else
                form->Comm1->setPortOpen(false);
            dialogs.messages.clear();
            port().written.clear();
            RequestBuffer[3] = 148;
            ModeWord = c.before;
            c.click(*form);
            EXPECT_EQ(ModeWord, c.after);
            EXPECT_EQ(form->N31->text(), QString::fromUtf8(c.n31));
            EXPECT_EQ(form->N32->text(), QString::fromUtf8(c.n32));
            EXPECT_EQ(form->IEC2->text(), QString::fromUtf8(c.iec2));
            EXPECT_EQ(form->CSA1->text(), QString::fromUtf8(c.csa1));
            if (open) {
                const uint8_t data[4] = { c.after, 0, 0, 0 };
                const auto frame = BuildWriteFrame(1, 128, data);
                EXPECT_EQ(port().written.toHex(),
                    QByteArray(reinterpret_cast<const char *>(frame.data()), 13).toHex());
                EXPECT_TRUE(dialogs.messages.empty());
                EXPECT_EQ(RoutingByte(), 128);
            } else {
                EXPECT_TRUE(port().written.isEmpty());
                EXPECT_EQ(
                    dialogs.texts(), QStringList { QStringLiteral("Failed,The machine is not connected") });
                EXPECT_EQ(RoutingByte(), 148);
            }
        }
    }
}

TEST_F(MainWindow, BroadbandFrameIsTheKnownBytes)
{
    openPort();
    ModeWord = 0;
    form->N32->trigger();
    EXPECT_EQ(port().written.toHex(), QByteArray("0110008000020401000000fa33"));
}

TEST_F(MainWindow, ClosingOverTheUsbPortSendsTheCloseNotice)
{
    struct Case
    {
        uint8_t usbLink;
        QByteArray sent;
    } cases[] = { { 1, WithCrc(QByteArray::fromHex("010300BA0000")) }, { 0, {} }, { 2, {} } };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.usbLink));
        openPort();
        form->show();
        UsbLink = c.usbLink;
        EXPECT_TRUE(form->close());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(takeWritten().toHex(), c.sent.toHex());
    }
}

TEST_F(MainWindow, ExitClosesTheWindow)
{
    form->show();
    ASSERT_TRUE(form->isVisible());
    form->N7->trigger();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindow, UsualShortcutsReachTheirCommands)
{
    const struct
    {
        QAction *action;
        const char *keys;
    } cases[] = {
        { form->N2, "Ctrl+O" },
        { form->N3, "Ctrl+S" },
        { form->N5, "Ctrl+P" },
        { form->N23, "F1" },
        { form->N7, "Ctrl+Q" },
    };
    QSet<QString> taken;
    for (const QAction *action : form->findChildren<QAction *>()) {
        const QString keys = action->shortcut().toString();
        if (keys.isEmpty())
            continue;
        EXPECT_FALSE(taken.contains(keys)) << "shortcut used twice: " << keys.toStdString();
        taken.insert(keys);
    }
    for (const auto &c : cases)
        EXPECT_EQ(c.action->shortcut(), QKeySequence(QString::fromLatin1(c.keys))) << c.keys;

    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible()) << "Ctrl+Q quits";
}

TEST_F(MainWindow, ResizeLaysOutAndRedrawsWithoutAnyRequest)
{
    openPort();
    LastRegister = 148;
    LastCount = 2;
    form->show();
    for (QSize size : { QSize(1200, 800), QSize(700, 500), QSize(895, 615) }) {
        SCOPED_TRACE(size.width());
        form->WaveSurface.fill(Qt::magenta);
        form->resize(size);
        QCoreApplication::processEvents();
        const QSize panel = form->Panel1->size();
        const int gw = (panel.width() - 12) / 2;
        const int gh = (panel.height() - 12) / 2;
        EXPECT_EQ(form->GroupBox4->geometry(), QRect(8 + gw, 8 + gh, gw, gh));
        EXPECT_EQ(form->Pic1->size(), QSize(gw - 8, gh - 20));
        EXPECT_EQ(form->PaneRect, QRect(0, 0, gw - 8, gh - 20));
        EXPECT_EQ(form->valuePanel(Panel_URMS)->width(), panel.width() < 930 ? 83 : 93);
        // The wave pane was drawn again: the marker colour is gone from its area.
        EXPECT_NE(form->WaveSurface.pixelColor(1, 1), QColor(Qt::magenta));
    }
    EXPECT_TRUE(port().written.isEmpty());
    form->hide();
}

TEST_F(MainWindow, StartUpRecordShowsZerosAfterTheFirstDrawing)
{
    form->DrawMeasurement();
    EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("0.0V"));
    EXPECT_EQ(form->valuePanel(Panel_UF)->text(), QStringLiteral("0.00Hz"));
    EXPECT_EQ(form->valuePanel(Panel_VTHD)->text(), QStringLiteral("0.0 %"));
    EXPECT_EQ(form->valuePanel(Panel_IRMS)->text(), QStringLiteral("0.0"));
}

TEST_F(MainWindow, DrawingReplacesANaNReactivePowerInTheRecord)
{
    Measurement.PQ = std::numeric_limits<float>::quiet_NaN();
    Measurement.URMS = std::numeric_limits<float>::quiet_NaN();
    form->DrawMeasurement();
    EXPECT_EQ(Measurement.PQ, 0.0f);
    EXPECT_TRUE(std::isnan(Measurement.URMS));
    EXPECT_EQ(form->valuePanel(Panel_PQ)->text(), QStringLiteral("0.0"));
}

class MeasurementFiles : public MainFormFixture
{
protected:
    QString path(const char *name) const
    {
        return QDir(programDir.path()).filePath(QString::fromLatin1(name));
    }

    static void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readFile(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A record different from the start-up one, its tail included.
    static MeasurementRecord sample(float urms)
    {
        MeasurementRecord record {};
        record.URMS = urms;
        record.UF = 50.0f;
        record.SampleCount = 512;
        for (int i = 0; i < RecordTailBytes; ++i)
            record.RecordTail[i] = static_cast<uint8_t>(i * 7);
        return record;
    }
};

TEST_F(MeasurementFiles, SaveProposesTheNameAndWritesTheRecord)
{
    Measurement = sample(220.5f);
    dialogs.fileNames.push_back(path("a.vqm"));
    form->SeSkinSpeedButton2Click();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("Norvo测量文件(.vqm)|*.vqm"));
    EXPECT_EQ(dialogs.fileDialogs[0].second, QStringLiteral("TestFile.vqm"));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(readFile(path("a.vqm")), recordBytes());
}

TEST_F(MeasurementFiles, OverwriteIsAskedAndNoKeepsTheFile)
{
    struct Case
    {
        const char *name;
        bool answer;
        bool overwritten;
    } cases[] = { { "No", false, false }, { "Yes", true, true } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("b.vqm"), "old content");
        dialogs.questions.clear();
        dialogs.answers = { c.answer };
        dialogs.fileNames.push_back(path("b.vqm"));
        Measurement = sample(1.0f);
        form->SeSkinSpeedButton2Click();
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("File exists"));
        EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("  File already exists, overwrite?？  "));
        EXPECT_EQ(readFile(path("b.vqm")), c.overwritten ? recordBytes() : QByteArray("old content"));
    }
}

TEST_F(MeasurementFiles, ExportCsvWritesTheCurrentMeasurementAndAsksBeforeReplacing)
{
    Measurement = sample(220.5f);
    dialogs.fileNames.push_back(path("m.csv"));
    form->ExportCsv1->trigger();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("CSV(.csv)|*.csv"));
    EXPECT_EQ(dialogs.fileDialogs[0].second, QStringLiteral("TestFile.csv"));
    const QByteArray written = readFile(path("m.csv"));
    EXPECT_TRUE(written.contains("URMS")) << written.left(200).toStdString();
    EXPECT_TRUE(written.contains("220.5")) << written.left(200).toStdString();

    // An existing file stays as it was when the user says No.
    writeFile(path("m.csv"), "old content");
    dialogs.answers = { false };
    dialogs.fileNames.push_back(path("m.csv"));
    form->ExportCsv1->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("File exists"));
    EXPECT_EQ(readFile(path("m.csv")), QByteArray("old content"));

    // A folder that does not exist: the system's text in an error box, no file.
    dialogs.fileNames.push_back(path("missing/m.csv"));
    form->ExportCsv1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(path("missing/m.csv") + QStringLiteral(": ")))
        << "the message names the file: " << qPrintable(dialogs.messages[0].text);
    EXPECT_FALSE(QFileInfo::exists(path("missing/m.csv")));
}

TEST_F(MeasurementFiles, CancelledDialogsDoNothing)
{
    form->N3->trigger(); // Save, no name given
    form->N2->trigger(); // Open, no name given
    EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(QDir(programDir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(MeasurementFiles, OpenLoadsTheFileAndRedraws)
{
    const MeasurementRecord saved = sample(230.1234f);
    writeFile(path("c.vqm"), RecordBytes(saved));
    dialogs.fileNames.push_back(path("c.vqm"));
    form->SeSkinSpeedButton1Click();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("NorvoFile|*.vqm|AllFile|*.*"));
    EXPECT_EQ(recordBytes(), RecordBytes(saved));
    EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("230.12V"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MeasurementFiles, FailuresShowTheSystemTextAndChangeNothing)
{
    writeFile(path("short.vqm"), QByteArray(8000, '\x01'));
    struct Case
    {
        const char *name;
        std::function<void(TMainForm &)> command;
        QString file;
    } cases[] = {
        { "open a short file", [](TMainForm &f) { f.SeSkinSpeedButton1Click(); }, path("short.vqm") },
        { "open a missing file", [](TMainForm &f) { f.SeSkinSpeedButton1Click(); }, path("missing.vqm") },
        { "save into a missing folder", [](TMainForm &f) { f.SeSkinSpeedButton2Click(); },
            path("no/such/x.vqm") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Measurement = sample(5.0f);
        form->DrawMeasurement();
        const QByteArray before = recordBytes();
        dialogs.messages.clear();
        dialogs.fileNames.push_back(c.file);
        c.command(*form);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
        EXPECT_EQ(recordBytes(), before);
        EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("5.0V"));
    }
}

TEST_F(MeasurementFiles, FilesThatAreNoMeasurementAreRefusedByNameAndSize)
{
    writeFile(path("short.vqm"), QByteArray(8000, '\x01'));
    // The window's own CSV export: its name says CSV, but "All files" lets the user pick it.
    Measurement = sample(7.0f);
    SaveMeasurementCsv(Measurement, path("export.csv"));
    struct Case
    {
        QString file;
        const char *says;
        bool namesSize; // the size a measurement file has
    } cases[] = {
        { path("short.vqm"), "too short for a measurement file: it has 8000 bytes", true },
        { path("export.csv"), "is not a measurement file", true },
        { path("missing.vqm"), "No such file or directory", false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.file));
        Measurement = sample(5.0f);
        form->DrawMeasurement();
        const QByteArray before = recordBytes();
        dialogs.messages.clear();
        dialogs.fileNames.push_back(c.file);
        form->SeSkinSpeedButton1Click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const QString text = dialogs.messages[0].text;
        EXPECT_TRUE(text.startsWith(c.file + QStringLiteral(": "))) << qPrintable(text);
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << qPrintable(text);
        EXPECT_EQ(text.contains(QLatin1String("8052 bytes")), c.namesSize) << qPrintable(text);
        EXPECT_FALSE(text.contains(QLatin1String("Read beyond end of file")));
        EXPECT_EQ(recordBytes(), before);
        EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("5.0V"));
    }
}

TEST_F(MeasurementFiles, CommandLineLoadsAMeasurementOrOpensARecordLater)
{
    const MeasurementRecord saved = sample(12.5f);
    writeFile(path("x.VQM"), RecordBytes(saved));
    writeFile(path("y.vqm"), RecordBytes(saved));
    struct Case
    {
        QString argument;
        bool loaded;
        bool recordTimer;
        bool error;
    } cases[] = {
        { path("x.VQM"), true, false, false },
        { path("y.vqm"), true, false, false },
        { path("x.vqr"), false, true, false },
        { path("x.VQR"), false, true, false },
        { path("x.Vqr"), false, true, false },
        { path("x.vQm"), false, false, false },
        { path("x.txt"), false, false, false },
        { path("missing.vqm"), false, false, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        MainForm = nullptr;
        form.reset();
        ResetGlobals();
        dialogs.messages.clear();
        form = std::make_unique<TMainForm>(
            nullptr, QStringList { QStringLiteral("/opt/kmr/KMR5150"), c.argument });
        MainForm = form.get();
        EXPECT_TRUE(StartedWithFile);
        EXPECT_EQ(CommandLineFile, c.argument);
        EXPECT_EQ(recordBytes() == RecordBytes(saved), c.loaded);
        if (c.loaded) {
            EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("12.5V"));
        }
        EXPECT_EQ(form->MOpenTimer->isActive(), c.recordTimer);
        EXPECT_EQ(dialogs.messages.size(), c.error ? 1u : 0u);
    }

    // Without an argument nothing of this happens.
    form.reset();
    ResetGlobals();
    form = std::make_unique<TMainForm>(nullptr, QStringList { QStringLiteral("/opt/kmr/KMR5150") });
    MainForm = form.get();
    EXPECT_FALSE(StartedWithFile);
    EXPECT_TRUE(CommandLineFile.isEmpty());
}

TEST_F(MainWindow, RecordFileTimerHandsOverToTheRecordWindow)
{
    form->MOpenTimer->start();
    form->MOpenTimerTimer();
    EXPECT_FALSE(form->MOpenTimer->isActive());
    EXPECT_TRUE(RecordForm->OpenTimer->isActive());
    RecordForm->OpenTimer->stop();
}

TEST_F(MainWindow, HandbookAndWebSiteOpenThroughTheDesktop)
{
    form->N23->trigger();
    form->Norvo1->trigger();
    form->Image1Click();
    ASSERT_EQ(dialogs.openedUrls.size(), 3);
    EXPECT_EQ(dialogs.openedUrls[0],
        QUrl::fromLocalFile(QDir(programDir.path()).filePath(QStringLiteral("PdfDoc/Handbook.pdf")))
            .toString());
    EXPECT_EQ(dialogs.openedUrls[1], TMainForm::WebAddress);
    EXPECT_EQ(dialogs.openedUrls[2], TMainForm::WebAddress);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, TheHandbookOpenedIsTheOneOfTheLanguageShown)
{
    struct BackToOriginal
    {
        ~BackToOriginal() { ApplyLanguage(Language::Original); }
    } restore;
    const struct
    {
        Language language;
        const char *file;
    } cases[] = {
        { Language::Chinese, "PdfDoc/Handbook_zh_CN.pdf" },
        { Language::English, "PdfDoc/Handbook.pdf" },
        { Language::Original, "PdfDoc/Handbook.pdf" },
    };
    for (const auto &c : cases) {
        ApplyLanguage(c.language);
        form->N23->trigger();
        ASSERT_FALSE(dialogs.openedUrls.isEmpty());
        EXPECT_EQ(dialogs.openedUrls.last(),
            QUrl::fromLocalFile(QDir(programDir.path()).filePath(QLatin1String(c.file))).toString())
            << qPrintable(LanguageKey(c.language));
    }
}

TEST_F(MainWindow, WithoutViewerOrBrowserTheUserIsGivenTheFileAndTheAddress)
{
    dialogs.urlsOpen = false;
    form->N23->trigger();
    form->Image1Click();
    ASSERT_EQ(dialogs.openedUrls.size(), 2) << "the desktop was asked first";
    ASSERT_EQ(dialogs.messages.size(), 2u);
    const QString handbook
        = QDir::toNativeSeparators(QDir(programDir.path()).filePath(QStringLiteral("PdfDoc/Handbook.pdf")));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(QStringLiteral("\n\n") + handbook))
        << qPrintable(dialogs.messages[0].text);
    EXPECT_TRUE(dialogs.messages[1].text.endsWith(QStringLiteral("\n\n") + TMainForm::WebAddress))
        << qPrintable(dialogs.messages[1].text);
    for (const FakeDialogs::Message &m : dialogs.messages)
        EXPECT_EQ(m.icon, Dialogs::Icon::Information);
}

TEST_F(MainWindow, NonModalWindowsAreShown)
{
    struct Case
    {
        const char *name;
        QAction *item;
        QWidget *window;
    } cases[] = {
        { "record", form->N20, RecordForm },
        { "starting test", form->N15, StartingForm },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.item->trigger();
        EXPECT_TRUE(c.window->isVisible());
        c.window->hide();
    }
}

TEST_F(MainWindow, AlarmCommandAsksForTheModeByteFirst)
{
    // The alarm window is shown modally; close it as soon as it is up.
    openPort();
    AlarmReadStep = 7;
    QTimer::singleShot(0, AlarmForm, [] { AlarmForm->reject(); });
    form->N11Click();
    EXPECT_EQ(AlarmReadStep, 0);
    EXPECT_EQ(AlarmForm->Label7->text(), QStringLiteral("正在请求仪器数据......"));
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(128, 2).toHex());
    EXPECT_EQ(LastRegister, 128);
    EXPECT_EQ(LastCount, 2);
}

TEST_F(MainWindow, PrintCommandChoosesTheMeasurementReport)
{
    PrinterForm = new TPrinterForm(form.get());
    ReportKind = 1;
    QTimer::singleShot(0, PrinterForm, [] { PrinterForm->reject(); });
    form->N5->trigger();
    EXPECT_EQ(ReportKind, 0);
    PrinterForm = nullptr;
}

TEST(DialogNameFilter, PairsBecomeQtFilters)
{
    struct Case
    {
        const char *in, *out;
    } cases[] = {
        { "NorvoFile|*.vqm|AllFile|*.*", "NorvoFile (*.vqm);;AllFile (*.*)" },
        { "Norvo测量文件(.vqm)|*.vqm", "Norvo测量文件(.vqm) (*.vqm)" },
        { "Pictures|*.bmp;*.png", "Pictures (*.bmp *.png)" },
        { "", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(DialogNameFilter(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

} // namespace
