// Screenshots of the program's windows in every look: the main window with a simulated
// measurement in the plain style and the six skins, on each of the three drawing
// backgrounds, and the other windows in each look. Writes to OUTPUT_DIR a contact sheet of
// the main window (ContactSheet.png), one of the smaller windows (Windows.png), one each of
// the record and starting-test windows (Record.png, Starting.png) and the main window of
// each look on the grey background (Look-N.png); with SHOTS_DIR, every single screenshot
// there too.
//
//     kmr-screens PROGRAM_DIR OUTPUT_DIR [SHOTS_DIR]
//
// Run it on a screen of 1920 x 1080 or more (xvfb-run), so that the panes' drawing surfaces,
// half the screen's size, cover the panes.
//
// PROGRAM_DIR holds the data folders (SkinsFile, Pictures), as the build folder does. No
// setting is stored: the looks are applied without the skin window.

#include "app/forms/Wiring.h"
#include "appearance/Fonts.h"
#include "appearance/SkinChoice.h"
#include "appearance/SkinEngine.h"
#include "appearance/forms/skins.h"
#include "base/Errors.h"
#include "base/Platform.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "base/Errors.h"
#include "measure/DrawingColours.h"
#include "base/Platform.h"
#include "link/forms/communication.h"
#include "link/sim/SimMeasurement.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/Main.h"
#include "measure/forms/version.h"
#include "record/Recorder.h"
#include "record/forms/Rec.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

class FixedProgramDir final : public ProgramDir
{
public:
    explicit FixedProgramDir(QString path)
        : m_path(std::move(path))
    {
    }
    QString path() const override { return m_path; }

private:
    QString m_path;
};

const char *const LookNames[] = { "WINDOWS", "Skin 1", "Skin 2", "Skin 3", "Skin 4", "Skin 5", "Skin 6" };
const char *const BackgroundNames[] = { "Black", "White", "Gray" };
// The scale colour that goes with each background on the sheets.
const int ScaleFor[] = { 1, 2, 2 };

QImage grabWindow(QWidget *window)
{
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

// Pictures in a grid with a caption over each, scaled by `scale`.
QImage sheet(const std::vector<std::vector<QImage>> &rows, const QStringList &rowNames,
    const QStringList &columnNames, qreal scale)
{
    int cellW = 0, cellH = 0;
    for (const auto &row : rows)
        for (const QImage &image : row) {
            cellW = std::max(cellW, int(image.width() / image.devicePixelRatio() * scale));
            cellH = std::max(cellH, int(image.height() / image.devicePixelRatio() * scale));
        }
    const int gap = 12, caption = 22, left = 90, top = 30;
    const int columns = static_cast<int>(columnNames.size());
    QImage out(left + columns * (cellW + gap) + gap, top + int(rows.size()) * (cellH + caption + gap) + gap,
        QImage::Format_RGB32);
    out.fill(QColor(250, 250, 250));
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 40, 50));
    for (int c = 0; c < columns; ++c)
        p.drawText(QRect(left + c * (cellW + gap), 4, cellW, top - 6), Qt::AlignCenter, columnNames[c]);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int y = top + int(r) * (cellH + caption + gap);
        p.drawText(
            QRect(4, y + caption, left - 8, cellH), Qt::AlignLeft | Qt::AlignVCenter, rowNames[int(r)]);
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const QImage &image = rows[r][c];
            const QSizeF size = QSizeF(image.size()) / image.devicePixelRatio() * scale;
            const QRectF target(left + int(c) * (cellW + gap), y + caption, size.width(), size.height());
            p.drawImage(target, image);
            p.setPen(QColor(160, 170, 180));
            p.drawRect(target.adjusted(-0.5, -0.5, 0.5, 0.5));
            p.setPen(QColor(30, 40, 50));
        }
    }
    return out;
}

// A record file of twenty minutes a second apart, voltage, current, power, reactive power,
// frequency and power factor, for the record window to show.
QString makeRecordFile(const QDir &dir)
{
    const QString file = dir.filePath(QStringLiteral("Screens.vqr"));
    Recorder recorder;
    recorder.settings.channelSignal = { 0, 1, 2, 4, 6, 7 };
    recorder.settings.samplingIndex = 0;
    recorder.newFile(file);
    MeasurementRecord record {};
    const QDateTime start(QDate(2026, 12, 10), QTime(9, 0));
    for (int i = 0; i < 1200; ++i) {
        const double t = i / 40.0;
        record.URMS = float(230 + 12 * std::sin(t));
        record.IRMS = float(4 + 2.5 * std::sin(t / 2));
        record.WRMS = float(600 + 300 * std::sin(t / 3 + 1));
        record.PQ = float(-150 + 250 * std::cos(t / 1.7));
        record.UF = float(50 + 0.2 * std::sin(t * 3));
        record.PF = float(0.85 + 0.1 * std::cos(t));
        recorder.sample(record, start.addSecs(i));
    }
    recorder.save();
    return file;
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "kmr-screens: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: kmr-screens PROGRAM_DIR OUTPUT_DIR [SHOTS_DIR]\n");
        return 2;
    }
    InstallFontSubstitutes();
    QApplication::setFont(DesignFont());
    FixedProgramDir programDir(QString::fromLocal8Bit(argv[1]));
    platform::install(&programDir);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    const QString shotsPath = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!shotsPath.isEmpty())
        QDir().mkpath(shotsPath);
    const QDir shots(shotsPath);

    MainForm = new TMainForm(nullptr, {});
    VForm = new TVForm(MainForm);
    CommForm = new TCommForm(MainForm);
    ConnectCommAndMain(CommForm, MainForm);
    HarmonicForm = new THarmonicForm(MainForm);
    RecordForm = new TRecordForm(MainForm);
    AlarmForm = new TAlarmForm(MainForm);
    StartingForm = new TStartingForm(MainForm);
    External_CT_form = new TExternal_CT_form(MainForm);
    skin = new Tskin(MainForm);
    ConnectWindows();

    QTemporaryDir recordDir;
    try {
        RecordForm->openRecordFile(makeRecordFile(QDir(recordDir.path())), false);
        for (int channel : { 1, 1, 1, 1, 1, 1, 5, 5, 5, 5, 5, 5 }) // current and power factor larger
            RecordForm->ScaleUpClick(channel);
    } catch (const KmrError &error) {
        std::fprintf(stderr, "kmr-screens: no record shown: %s\n", qPrintable(error.text()));
    }

    sim::MeasurementModel model(7);
    model.measure(Measurement, 3600.0, 0);
    MainForm->setStatusText(TMainForm::PanelCommunication, QStringLiteral("Sampling completed!"));

    const std::vector<std::pair<const char *, QWidget *>> others = {
        { "skin", skin },
        { "communication", CommForm },
        { "alarm", AlarmForm },
        { "ct", External_CT_form },
        { "version", VForm },
        { "harmonic", HarmonicForm },
        { "record", RecordForm },
        { "starting", StartingForm },
    };

    std::vector<std::vector<QImage>> mainRows, otherRows, recordRows, startingRows;
    QStringList looks;
    bool ok = true;
    for (int look = 0; look <= appearance::SkinCount; ++look) {
        looks << QString::fromLatin1(LookNames[look]);
        if (!appearance::ApplySkin(ProgramSkin(), look))
            std::fprintf(stderr, "kmr-screens: skin %d not applied\n", look);
        std::vector<QImage> mainRow, recordRow, startingRow;
        for (int background = 0; background < 3; ++background) {
            WaveBackgroundColor = *appearance::BackgroundColorOf(background);
            WaveScaleColor = *appearance::ScaleColorOf(ScaleFor[background]);
            MainForm->show();
            QApplication::processEvents();
            MainForm->DrawMeasurement();
            mainRow.push_back(grabWindow(MainForm));
            if (!shotsPath.isEmpty())
                ok &= save(mainRow.back(), shots, QStringLiteral("main-%1-%2.png").arg(look).arg(background));
            // The charts of these two windows take the colours when they are drawn next.
            StartingForm->DrawChart();
            RecordForm->DrawChart();
            recordRow.push_back(grabWindow(RecordForm));
            startingRow.push_back(grabWindow(StartingForm));
            RecordForm->hide();
            StartingForm->hide();
        }
        ok &= save(mainRow[2], out, QStringLiteral("Look-%1.png").arg(look));
        mainRows.push_back(mainRow);
        recordRows.push_back(recordRow);
        startingRows.push_back(startingRow);

        std::vector<QImage> otherRow;
        for (const auto &[name, window] : others) {
            otherRow.push_back(grabWindow(window));
            window->hide();
            const QString file = QStringLiteral("%1-%2.png").arg(QString::fromLatin1(name)).arg(look);
            if (!shotsPath.isEmpty())
                ok &= save(otherRow.back(), shots, file);
            // The sheet shows the small windows that every look changes most.
            if (std::string_view(name) != "skin" && std::string_view(name) != "communication"
                && std::string_view(name) != "version")
                otherRow.pop_back();
        }
        otherRows.push_back(otherRow);
    }

    QStringList backgrounds;
    for (const char *name : BackgroundNames)
        backgrounds << QString::fromLatin1(name);
    QStringList windowNames;
    windowNames << QStringLiteral("Style") << QStringLiteral("Communication") << QStringLiteral("Version");
    ok &= save(sheet(mainRows, looks, backgrounds, 0.5), out, QStringLiteral("ContactSheet.png"));
    ok &= save(sheet(otherRows, looks, windowNames, 1.0), out, QStringLiteral("Windows.png"));
    ok &= save(sheet(recordRows, looks, backgrounds, 0.5), out, QStringLiteral("Record.png"));
    ok &= save(sheet(startingRows, looks, backgrounds, 0.5), out, QStringLiteral("Starting.png"));

    delete MainForm;
    platform::install(static_cast<ProgramDir *>(nullptr));
    std::printf("screenshots written to %s\n", qPrintable(out.path()));
    return ok ? 0 : 1;
}
