// The six skin files as shipped: each must parse as a Qt style sheet without a warning and
// style the controls the windows are built from.

#include "appearance/SkinChoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QString skinFolder()
{
    return QDir(QStringLiteral(KMR_SOURCE_DIR)).filePath(QStringLiteral("data"));
}

QStringList g_warnings;

void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

// Applies `sheet` to the application and renders a window holding every kind of control
// the program uses; the warnings Qt gives on the way.
QStringList warningsOf(const QString &sheet)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    qApp->setStyleSheet(sheet);
    {
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("File(&F)"))->addAction(QStringLiteral("Open"));
        window.addToolBar(QStringLiteral("tools"))->addAction(QStringLiteral("Save"));
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Communication ......")));
        auto *central = new QWidget;
        auto *layout = new QVBoxLayout(central);
        auto *box = new QGroupBox(QStringLiteral("Parameter "));
        auto *boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(new QRadioButton(QStringLiteral("Skin 1")));
        boxLayout->addWidget(new QCheckBox(QStringLiteral("CH1")));
        layout->addWidget(box);
        layout->addWidget(new QPushButton(QStringLiteral("Close")));
        layout->addWidget(new QLineEdit(QStringLiteral("12.5")));
        auto *combo = new QComboBox;
        combo->addItems({ QStringLiteral("9600"), QStringLiteral("19200") });
        layout->addWidget(combo);
        layout->addWidget(new QSpinBox);
        auto *progress = new QProgressBar;
        progress->setValue(40);
        layout->addWidget(progress);
        layout->addWidget(new QSlider(Qt::Horizontal));
        layout->addWidget(new QScrollBar(Qt::Horizontal));
        auto *table = new QTableWidget(3, 3);
        table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
        layout->addWidget(table);
        auto *tabs = new QTabWidget;
        tabs->addTab(new QWidget, QStringLiteral("CH1"));
        layout->addWidget(tabs);
        window.setCentralWidget(central);
        window.resize(400, 600);
        window.grab(); // polishes and paints every control
    }
    qApp->setStyleSheet(QString());
    qInstallMessageHandler(previous);
    return g_warnings;
}

TEST(SkinFiles, EverySkinParsesWithoutWarnings)
{
    for (int n = 1; n <= appearance::SkinCount; ++n) {
        QFile file(QDir(skinFolder()).filePath(appearance::SkinFileName(n)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
        const QString sheet = QString::fromUtf8(file.readAll());
        EXPECT_GT(sheet.size(), 500) << n;
        EXPECT_EQ(warningsOf(sheet), QStringList()) << "skin " << n;
    }
}

TEST(SkinFiles, ABrokenSheetIsNoticed)
{
    EXPECT_FALSE(warningsOf(QStringLiteral("QPushButton { color: red; ")).isEmpty());
}

TEST(SkinFiles, SkinsDifferFromOneAnother)
{
    QSet<QByteArray> seen;
    for (int n = 1; n <= appearance::SkinCount; ++n) {
        QFile file(QDir(skinFolder()).filePath(appearance::SkinFileName(n)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        seen.insert(file.readAll());
    }
    EXPECT_EQ(seen.size(), appearance::SkinCount);
}

} // namespace
