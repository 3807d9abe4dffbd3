// Save dialogs: a name typed without an extension gets the one of the dialog's filter, so
// the file shows in the Open dialog of its kind.

#include "base/SaveName.h"

#include "support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SaveName, ANameWithoutExtensionGetsTheFiltersOne)
{
    struct Case
    {
        const char *name;
        const char *filter;
        const char *expected;
    } cases[] = {
        { "/home/u/TestFile", "Norvo测量文件(.vqm)|*.vqm", "/home/u/TestFile.vqm" },
        { "/home/u/RecordFile", "Norvo记录文件(.vqr)|*.vqr", "/home/u/RecordFile.vqr" },
        { "/home/u/bench", "CSV(.csv)|*.csv", "/home/u/bench.csv" },
        { "/home/u/chart", "Norvo启动测试文件(.bmp)|*.bmp", "/home/u/chart.bmp" },
        { "/home/u/report", "PDF(.pdf)|*.pdf", "/home/u/report.pdf" },
        { "/home/u/with blank", "CSV(.csv)|*.csv", "/home/u/with blank.csv" },
        { "/home/u/trailing.", "CSV(.csv)|*.csv", "/home/u/trailing.csv" },
        { "/home/u/.hidden", "CSV(.csv)|*.csv", "/home/u/.hidden.csv" },
        // The folder's dot is not the file's.
        { "/home/u.v2/bench", "CSV(.csv)|*.csv", "/home/u.v2/bench.csv" },
        // A name with an extension of its own is the user's choice.
        { "/home/u/TestFile.vqm", "Norvo测量文件(.vqm)|*.vqm", "/home/u/TestFile.vqm" },
        { "/home/u/TestFile.VQM", "Norvo测量文件(.vqm)|*.vqm", "/home/u/TestFile.VQM" },
        { "/home/u/values.txt", "CSV(.csv)|*.csv", "/home/u/values.txt" },
        // Nothing to add: cancelled, or a filter without one extension.
        { "", "CSV(.csv)|*.csv", "" },
        { "/home/u/any", "AllFile|*.*", "/home/u/any" },
        { "/home/u/any", "no pattern", "/home/u/any" },
        // What is there was chosen as it is; a folder or device is then refused, not renamed.
        { "/dev/null", "CSV(.csv)|*.csv", "/dev/null" },
        { "/", "CSV(.csv)|*.csv", "/" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WithFilterExtension(QString::fromUtf8(c.name), QString::fromUtf8(c.filter)),
            QString::fromUtf8(c.expected));
    }
}

TEST(SaveName, TheQuestionAboutAnExistingFileIsAskedOfTheNameWithItsExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath(QStringLiteral("bench.csv")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    FakeDialogs dialogs;
    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("bench")));
    dialogs.answers.push_back(false);
    EXPECT_TRUE(AskSaveFileName(CsvFileFilter(), QStringLiteral("TestFile.csv")).isEmpty());
    EXPECT_EQ(dialogs.questions.size(), 1u) << "bench.csv exists";

    dialogs.fileNames.push_back(dir.filePath(QStringLiteral("fresh")));
    EXPECT_EQ(AskSaveFileName(CsvFileFilter(), QStringLiteral("TestFile.csv")),
        dir.filePath(QStringLiteral("fresh.csv")));
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

} // namespace
