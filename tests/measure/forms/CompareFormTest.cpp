// The reference measurement (File menu), the compare window that follows the measurements
// against it, and the cursors on the wave pane with their readout.

#include "link/forms/MainFixture.h"

#include "measure/Comparison.h"
#include "measure/MeasurementFile.h"
#include "measure/WaveCursor.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Reference.h"
#include "measure/forms/WaveCursorControl.h"
#include "support/ProgramWindows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class Compare : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        // The program's windows again, with the compare window made before the wiring, as the
        // program's start makes it.
        ForgetProgramWindows();
        form = MakeProgramWindows({ .comm = true, .record = true, .compare = true });
        openPort();
    }

    QString referenceTip() const { return form->StatusPanels[TMainForm::PanelDate]->toolTip(); }

    QString fileOf(const MeasurementRecord &record, const char *name) const
    {
        const QString path = QDir(programDir.path()).filePath(QLatin1String(name));
        SaveMeasurementFile(path, record);
        return path;
    }

    std::vector<ComparisonRow> expectedRows() const
    {
        const auto &reference = form->Reference1->reference();
        return reference ? CompareMeasurements(Measurement, reference->record) : std::vector<ComparisonRow>();
    }

    QStringList gridRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c < CompareForm->Grid1->columnCount(); ++c)
            cells << CompareForm->Grid1->item(row, c)->text();
        return cells;
    }
};

} // namespace

TEST_F(Compare, ReferenceIsSetLoadedAndClearedFromTheFileMenu)
{
    EXPECT_FALSE(form->ClearReference1->isEnabled());
    EXPECT_EQ(referenceTip(), QString());
    EXPECT_FALSE(form->Reference1->reference().has_value());

    receive(MeasurementFrame(1.0f));
    const QDateTime arrived = clock.now();
    form->SetReference1->trigger();
    ASSERT_TRUE(form->Reference1->reference().has_value());
    EXPECT_EQ(form->Reference1->reference()->record.URMS, 231.0f);
    EXPECT_EQ(form->Reference1->reference()->time, arrived);
    EXPECT_TRUE(form->ClearReference1->isEnabled());
    EXPECT_EQ(referenceTip(), ReferenceStatusText(form->Reference1->reference()));
    EXPECT_TRUE(referenceTip().startsWith(QStringLiteral("Reference: measurement, ")));

    // A file that holds no measurement is refused with its name, and the reference stays.
    const QString damaged = QDir(programDir.path()).filePath(QStringLiteral("damaged.vqm"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(MeasurementRecordBytes, '\xff'));
    }
    dialogs.fileNames.push_back(damaged);
    form->LoadReference1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(damaged)) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(form->Reference1->reference()->record.URMS, 231.0f);
    EXPECT_TRUE(referenceTip().startsWith(QStringLiteral("Reference: measurement, ")));

    // Cancelling the dialog changes nothing.
    form->LoadReference1->trigger();
    EXPECT_EQ(form->Reference1->reference()->record.URMS, 231.0f);

    MeasurementRecord saved = Measurement;
    saved.URMS = 219.5f;
    dialogs.fileNames.push_back(fileOf(saved, "before.vqm"));
    form->LoadReference1->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs.back().first, MeasurementOpenFilter);
    EXPECT_EQ(form->Reference1->reference()->record.URMS, 219.5f);
    EXPECT_TRUE(referenceTip().startsWith(QStringLiteral("Reference: before.vqm, ")))
        << referenceTip().toStdString();

    form->ClearReference1->trigger();
    EXPECT_FALSE(form->Reference1->reference().has_value());
    EXPECT_FALSE(form->ClearReference1->isEnabled());
    EXPECT_EQ(referenceTip(), QString());
}

TEST_F(Compare, TheWindowFollowsEachMeasurementAgainstTheReference)
{
    form->Compare1->trigger();
    ASSERT_TRUE(CompareForm->isVisible());
    EXPECT_FALSE(CompareForm->isModal());
    EXPECT_EQ(CompareForm->Grid1->rowCount(), 0);
    EXPECT_TRUE(CompareForm->Label1->text().startsWith(QStringLiteral("No reference")));
    EXPECT_FALSE(CompareForm->Button1->isEnabled());

    receive(MeasurementFrame(1.0f));
    form->SetReference1->trigger();
    ASSERT_EQ(CompareForm->Grid1->rowCount(), ComparisonRowCount);
    EXPECT_EQ(gridRow(0), (QStringList { "URMS", "V", "231.0", "231.0", "0.0", "0.00" }));
    EXPECT_EQ(CompareForm->Label1->text(), referenceTip());

    // 233 V against 231 V: 2 V more, 0.866 % of the reference.
    receive(MeasurementFrame(3.0f));
    EXPECT_EQ(gridRow(0), (QStringList { "URMS", "V", "233.0", "231.0", "2.0", "0.87" }));
    const std::vector<ComparisonRow> rows = expectedRows();
    ASSERT_EQ(CompareForm->rows().size(), rows.size());
    for (int r = 0; r < int(rows.size()); ++r)
        ASSERT_EQ(gridRow(r),
            (QStringList { rows[size_t(r)].quantity, rows[size_t(r)].unit, rows[size_t(r)].liveText,
                rows[size_t(r)].referenceText, rows[size_t(r)].differenceText, rows[size_t(r)].percentText }))
            << r;

    const QStringList header = ComparisonHeader(QStringLiteral("Live"), QStringLiteral("Reference"));
    CompareForm->Button1->click();
    EXPECT_EQ(QApplication::clipboard()->text(), ComparisonTabbed(rows, header));

    const QString csv = QDir(programDir.path()).filePath(QStringLiteral("differences.csv"));
    dialogs.fileNames.push_back(csv);
    CompareForm->Button2->click();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), ComparisonCsv(rows, header));
    EXPECT_TRUE(dialogs.messages.empty());

    // Hidden, the window catches up when it is opened again.
    CompareForm->hide();
    receive(MeasurementFrame(5.0f));
    form->Compare1->trigger();
    EXPECT_EQ(gridRow(0), (QStringList { "URMS", "V", "235.0", "231.0", "4.0", "1.73" }));

    // A measurement file opened in the main window is compared at once.
    MeasurementRecord saved = Measurement;
    saved.URMS = 210.0f;
    dialogs.fileNames.push_back(fileOf(saved, "opened.vqm"));
    form->N2->trigger();
    EXPECT_EQ(gridRow(0), (QStringList { "URMS", "V", "210.0", "231.0", "-21.0", "-9.09" }));

    form->ClearReference1->trigger();
    EXPECT_EQ(CompareForm->Grid1->rowCount(), 0);
    EXPECT_TRUE(CompareForm->Label1->text().startsWith(QStringLiteral("No reference")));
    CompareForm->hide();
}

TEST_F(Compare, CursorsArePlacedMovedAndRemovedOnTheWavePane)
{
    form->resize(1400, 800);
    form->show();
    // Wide enough for a column a sample, so every sample can be clicked.
    QTRY_VERIFY(form->Pic1->width() >= 518);
    // 50 Hz: 0.15625 ms a sample.
    receive(MeasurementFrame(1.0f));
    TPaintBox *pane = form->Pic1;
    QLabel *readout = form->WaveCursors1->CursorReadout;
    const int width = pane->width();
    const auto lines = [readout] { return readout->text().split(QLatin1Char('\n')); };
    EXPECT_TRUE(readout->isHidden());

    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(PaneXOfSample(100, width), 20));
    EXPECT_FALSE(readout->isHidden());
    ASSERT_EQ(lines().size(), 1);
    EXPECT_TRUE(lines()[0].startsWith(QStringLiteral("A  15.62 ms  "))) << lines()[0].toStdString();
    EXPECT_EQ(form->WaveCursors1->cursors().a, 100);

    QTest::mouseClick(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(PaneXOfSample(228, width), 20));
    ASSERT_EQ(lines().size(), 3);
    EXPECT_TRUE(lines()[1].startsWith(QStringLiteral("B  35.62 ms  "))) << lines()[1].toStdString();
    EXPECT_TRUE(lines()[2].startsWith(QStringLiteral("B-A  20.00 ms  50.00 Hz  ")))
        << lines()[2].toStdString();
    WaveCursors expected;
    expected.place(100, false);
    expected.place(228, true);
    EXPECT_EQ(readout->text(), WaveCursorReadout(Measurement, expected));

    // The arrows move B, the one placed last, a sample at a time.
    QTest::keyClick(pane, Qt::Key_Right);
    EXPECT_TRUE(lines()[1].startsWith(QStringLiteral("B  35.78 ms  "))) << lines()[1].toStdString();
    QTest::keyClick(pane, Qt::Key_Left);
    QTest::keyClick(pane, Qt::Key_Left);
    EXPECT_EQ(form->WaveCursors1->cursors().b, 227);
    EXPECT_EQ(form->WaveCursors1->cursors().a, 100);
    // A click makes A the active one again.
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(PaneXOfSample(10, width), 20));
    QTest::keyClick(pane, Qt::Key_Left);
    EXPECT_EQ(form->WaveCursors1->cursors().a, 9);
    EXPECT_TRUE(lines()[0].startsWith(QStringLiteral("A  1.41 ms  "))) << lines()[0].toStdString();

    // A new measurement is read at the same samples.
    receive(MeasurementFrame(2.0f));
    expected.clear();
    expected.place(227, true);
    expected.place(9, false);
    QTRY_COMPARE(readout->text(), WaveCursorReadout(Measurement, expected));

    QTest::keyClick(pane, Qt::Key_Escape);
    EXPECT_TRUE(readout->isHidden());
    EXPECT_FALSE(form->WaveCursors1->cursors().any());
    QTest::keyClick(pane, Qt::Key_Right);
    EXPECT_FALSE(form->WaveCursors1->cursors().any());
    form->hide();
}
