#include "report/PrintInfo.h"
#include "base/DateTimeText.h"
#include "support/Fakes.h"

#include <QFile>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
class PrintInfoTest : public testing::Test
{
protected:
    QByteArray fileText() const
    {
        QFile file(dir.filePath(PrintInfoFileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempProgramDir dir;
    const QDate today { 2026, 12, 10 };
};
} // namespace

TEST_F(PrintInfoTest, WithoutAFileEveryFieldReadsTwoAndTheUnitIsFahrenheit)
{
    const PrintInfo info = ReadPrintInfo();
    for (const QString &field : { info.projectName, info.company, info.conner, info.date, info.temperature })
        EXPECT_EQ(field, "2");
    EXPECT_FALSE(info.celsius);
    EXPECT_EQ(info.unitSuffix(), "F ");
}

TEST_F(PrintInfoTest, UnitsOneIsCelsiusAnythingElseFahrenheit)
{
    const struct
    {
        const char *units;
        QString suffix;
    } cases[] = {
        { "1", QStringLiteral("℃") },
        { "0", QStringLiteral("F ") },
        { "2", QStringLiteral("F ") },
        { "-1", QStringLiteral("F ") },
        { "11", QStringLiteral("F ") },
        // A hand-edited text still prints: the report never fails over its header.
        { "C", QStringLiteral("F ") },
    };
    for (const auto &c : cases) {
        dir.writeFile(PrintInfoFileName, QByteArray("[PrintInfo]\nunits=") + c.units + "\n");
        EXPECT_EQ(ReadPrintInfo().unitSuffix(), c.suffix) << c.units;
    }
}

TEST_F(PrintInfoTest, ReportsPrintTheSavedDateWhileTheWindowProposesToday)
{
    dir.writeFile(PrintInfoFileName,
        "[printinfo]\nPROJECTNAME=Pump "
        "3\ncompany=Acme\nconner=Li\ndate=2025-01-02\ntemperature=21.5\nunits=1\n");
    const PrintInfo printed = ReadPrintInfo();
    EXPECT_EQ(printed.projectName, "Pump 3") << "names match without regard to case";
    EXPECT_EQ(printed.date, "2025-01-02");

    QString error;
    const PrintInfo shown = EnterInfoFields(today, error);
    EXPECT_EQ(shown.date, ShortDateText(today));
    EXPECT_EQ(shown.projectName, "Pump 3");
    EXPECT_EQ(shown.company, "Acme");
    EXPECT_EQ(shown.conner, "Li");
    EXPECT_EQ(shown.temperature, "21.5");
    EXPECT_TRUE(shown.celsius);
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(PrintInfoTest, WindowFieldsWithoutAFile)
{
    QString error;
    const PrintInfo shown = EnterInfoFields(today, error);
    EXPECT_EQ(shown.projectName, "2");
    EXPECT_EQ(shown.temperature, "2");
    EXPECT_EQ(shown.date, ShortDateText(today));
    EXPECT_FALSE(shown.celsius) << "the default \"2\" selects F";
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(PrintInfoTest, UnitsThatAreNoNumberKeepCelsiusInTheWindowAndSayWhy)
{
    dir.writeFile(PrintInfoFileName, "[PrintInfo]\nunits=one\n");
    QString error;
    EXPECT_TRUE(EnterInfoFields(today, error).celsius);
    EXPECT_TRUE(error.contains("one")) << error.toStdString();
}

TEST_F(PrintInfoTest, SavingWritesTheSixKeysInOrderAndKeepsTheRest)
{
    dir.writeFile(PrintInfoFileName, "; header notes\n[Other]\nkeep=yes\n");
    PrintInfo info;
    info.projectName = "电机 A";
    info.company = "";
    info.conner = "Wang";
    info.date = "2026/12/10";
    info.temperature = "23";
    info.celsius = false;
    SavePrintInfo(info);
    EXPECT_EQ(fileText(),
        QString(
            "; header notes\n[Other]\nkeep=yes\n\n[PrintInfo]\nProjectName=电机 A\ncompany=\nconner=Wang\n"
            "date=2026/12/10\ntemperature=23\nunits=0\n")
            .toUtf8());

    info.celsius = true;
    SavePrintInfo(info);
    EXPECT_TRUE(ReadPrintInfo().celsius);
    EXPECT_EQ(ReadPrintInfo().projectName, "电机 A") << "non-ASCII text reads back";
    EXPECT_EQ(ReadPrintInfo().company, "") << "an empty field is kept empty, not the default";
}
