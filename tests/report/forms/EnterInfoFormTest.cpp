#include "ReportFormsFixture.h"

#include "base/DateTimeText.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
QByteArray fileText(const TempProgramDir &dir)
{
    QFile file(dir.filePath("EnterInfo.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The window as the program creates it, after the file is in place.
void recreate()
{
    delete EnterInfoForm;
    EnterInfoForm = new TEnterInfoForm;
}
} // namespace

TEST_F(ReportForms, EnterInfoWindowAsDesigned)
{
    TEnterInfoForm &form = *EnterInfoForm;
    EXPECT_EQ(form.objectName(), "EnterInfoForm");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("输入打印信息"));
    EXPECT_EQ(form.size(), QSize(449, 281));
    QLineEdit *edits[] = { form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5 };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(i + 1)), edits[i]);
        if (i > 0) {
            EXPECT_GT(edits[i]->y(), edits[i - 1]->y()) << "rows from top to bottom";
        }
    }
    EXPECT_LT(form.Edit5->width(), form.Edit1->width()) << "the temperature field is the short one";
    EXPECT_EQ(form.SeSkinRadioButton1->text(), QStringLiteral("℃"));
    EXPECT_EQ(form.SeSkinRadioButton2->text(), "F");
    EXPECT_EQ(form.SeSkinButton1->text(), "Enter");
    EXPECT_EQ(form.SeSkinButton2->text(), "Cancel");
    EXPECT_EQ(form.SeSkinButton3->text(), "Exit ");
    EXPECT_EQ(form.Edit1->accessibleName(), "Project Name");
}

TEST_F(ReportForms, WithoutAFileTheFieldsReadTwoTodayAndF)
{
    TEnterInfoForm &form = *EnterInfoForm;
    for (QLineEdit *edit : { form.Edit1, form.Edit2, form.Edit3, form.Edit5 })
        EXPECT_EQ(edit->text(), "2") << edit->objectName().toStdString();
    EXPECT_EQ(form.Edit4->text(), ShortDateText(clock.current.date()));
    EXPECT_TRUE(form.SeSkinRadioButton2->isChecked());

    form.show();
    QTest::mouseClick(form.SeSkinButton1, Qt::LeftButton);
    EXPECT_EQ(fileText(dir),
        ("[PrintInfo]\nProjectName=2\ncompany=2\nconner=2\ndate=" + ShortDateText(clock.current.date())
            + "\ntemperature=2\nunits=0\n")
            .toUtf8());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ReportForms, EnterSavesWhatWasTypedAndScrollsThePreviewToTheTop)
{
    PrinterForm->show();
    QScrollBar *bar = PrinterForm->Rongqi->verticalScrollBar();
    bar->setValue(250);
    ASSERT_EQ(bar->value(), 250);

    TEnterInfoForm &form = *EnterInfoForm;
    form.show();
    form.Edit1->setText("Motor  M2 ");
    form.Edit2->setText("");
    form.Edit3->setText("李明");
    form.Edit4->setText("2026-12-10");
    form.Edit5->setText("-5.5");
    QTest::mouseClick(form.SeSkinRadioButton1, Qt::LeftButton);
    QTest::mouseClick(form.SeSkinButton1, Qt::LeftButton);
    EXPECT_EQ(fileText(dir),
        QString(
            "[PrintInfo]\nProjectName=Motor  M2 \ncompany=\nconner=李明\ndate=2026-12-10\ntemperature=-5.5\n"
            "units=1\n")
            .toUtf8());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(PrinterForm->isVisible());
}

TEST_F(ReportForms, EnterRedrawsAShownPreviewAtOnce)
{
    for (int kind : { 0, 1 }) {
        ReportKind = uint8_t(kind);
        PrinterForm->show();
        const QImage before = PrinterForm->PreviewBitmap.copy();
        EnterInfoForm->show();
        EnterInfoForm->Edit1->setText(QStringLiteral("Pump %1").arg(kind));
        QTest::mouseClick(EnterInfoForm->SeSkinButton1, Qt::LeftButton);
        EXPECT_FALSE(PrinterForm->PreviewBitmap == before) << "report " << kind;

        // The preview is the one a fresh build makes from the saved fields.
        const QImage shown = PrinterForm->PreviewBitmap.copy();
        PrinterForm->FormCreate();
        EXPECT_TRUE(PrinterForm->PreviewBitmap == shown) << "report " << kind;
        PrinterForm->hide();
    }
}

TEST_F(ReportForms, CancelAndExitKeepTheFileAndTheTypedText)
{
    dir.writeFile("EnterInfo.ini", "[PrintInfo]\nProjectName=Kept\n");
    recreate();
    for (QPushButton *button : { EnterInfoForm->SeSkinButton2, EnterInfoForm->SeSkinButton3 }) {
        EnterInfoForm->show();
        EnterInfoForm->Edit1->setText("Typed, not saved");
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(EnterInfoForm->isVisible()) << button->text().toStdString();
        EXPECT_EQ(fileText(dir), "[PrintInfo]\nProjectName=Kept\n");
        EnterInfoForm->show();
        EXPECT_EQ(EnterInfoForm->Edit1->text(), "Typed, not saved") << "fields are filled only at creation";
    }
}

TEST_F(ReportForms, StoredFieldsAndUnitAtCreation)
{
    const struct
    {
        const char *units;
        bool celsius;
        bool error;
    } cases[] = {
        { "1", true, false },
        { "0", false, false },
        { "7", false, false },
        { "C", true, true },
    };
    for (const auto &c : cases) {
        dialogs.messages.clear();
        dir.writeFile("EnterInfo.ini",
            QByteArray(
                "[PrintInfo]\nProjectName=P\ncompany=C\nconner=O\ndate=1999-01-01\ntemperature=30\nunits=")
                + c.units + "\n");
        recreate();
        EXPECT_EQ(EnterInfoForm->Edit1->text(), "P");
        EXPECT_EQ(EnterInfoForm->Edit2->text(), "C");
        EXPECT_EQ(EnterInfoForm->Edit3->text(), "O");
        EXPECT_EQ(EnterInfoForm->Edit4->text(), ShortDateText(clock.current.date()))
            << "today, not the saved date";
        EXPECT_EQ(EnterInfoForm->Edit5->text(), "30");
        EXPECT_EQ(EnterInfoForm->SeSkinRadioButton1->isChecked(), c.celsius) << c.units;
        EXPECT_EQ(dialogs.messages.size(), c.error ? 1u : 0u) << c.units;
        if (c.error) {
            EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        }
    }
}
