// A dialog opened from the record window gives the focus back to the record window when it
// closes, not to the main window behind it.

#include "record/forms/RecordFixture.h"

#include "record/forms/RecSet.h"
#include "report/forms/Print.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class RecordFocus : public RecordFormFixture
{
protected:
    void TearDown() override
    {
        RecSetForm = nullptr;
        PrinterForm = nullptr;
        RecordFormFixture::TearDown();
    }
};

TEST_F(RecordFocus, DialogsOpenedFromTheRecordWindowGiveItTheFocusBack)
{
    // As at program start: every window is a child of the main window.
    QMainWindow main;
    main.resize(640, 480);
    auto *record = new TRecordForm(&main);
    RecordForm = record;
    RecSetForm = new TRecSetForm(&main);
    PrinterForm = new TPrinterForm(&main);
    ConnectWindows();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    const struct
    {
        const char *name;
        QDialog *dialog;
        QToolButton *button;
    } cases[] = {
        { "settings", RecSetForm, record->SeSkinSpeedButton4 },
        { "print", PrinterForm, record->SeSkinSpeedButton3 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        record->show();
        record->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(record));
        bool shown = false;
        QTimer::singleShot(0, c.dialog, [&] {
            shown = c.dialog->isVisible();
            c.dialog->reject();
        });
        c.button->click();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == record; }, 2000))
            << "active: "
            << (QApplication::activeWindow() ? qPrintable(QApplication::activeWindow()->objectName())
                                             : "none");
    }
    RecordForm = nullptr;
}

} // namespace
