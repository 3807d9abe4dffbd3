// Screenshots of every window of the program in each of its languages (Original, English,
// 中文), and one contact sheet of them: a row per window, a column per language. Run it
// once per scaling (QT_SCALE_FACTOR=1 and 2) on a screen of 1920 x 1080 logical pixels or
// more (xvfb-run), so that the panes' drawing surfaces, half the screen's size, cover the
// panes; the sheet is named after the scaling.
//
//     kmr-language-screens PROGRAM_DIR OUTPUT_DIR [SHOTS_DIR]
//
// (Whether every caption fits its control in each language is a test of the window suite.)
// PROGRAM_DIR holds the data folders and the compiled translations, as the build folder does.

#include "app/forms/Wiring.h"
#include "appearance/Fonts.h"
#include "appearance/forms/skins.h"
#include "base/Errors.h"
#include "base/Language.h"
#include "base/Platform.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/forms/communication.h"
#include "link/sim/SimMeasurement.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/Logo.h"
#include "measure/forms/Main.h"
#include "measure/forms/version.h"
#include "record/forms/Rec.h"
#include "record/forms/RecSet.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
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

QImage grabWindow(QWidget *window)
{
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

// Pictures in a grid with a caption over each column and a name before each row, at `scale`.
QImage sheet(const std::vector<std::vector<QImage>> &rows, const QStringList &rowNames,
    const QStringList &columnNames, qreal scale, qreal pixelRatio)
{
    const int columns = static_cast<int>(columnNames.size());
    std::vector<int> rowHeights;
    int cellW = 0;
    for (const auto &row : rows) {
        int h = 0;
        for (const QImage &image : row) {
            cellW = std::max(cellW, int(image.width() / image.devicePixelRatio() * scale));
            h = std::max(h, int(image.height() / image.devicePixelRatio() * scale));
        }
        rowHeights.push_back(h);
    }
    const int gap = 14, left = 130, top = 34;
    int height = top + gap;
    for (int h : rowHeights)
        height += h + gap;
    // Drawn in the windows' own pixels: a sheet of 200 % windows shows their finer drawing.
    QImage out(QSize(left + columns * (cellW + gap) + gap, height) * pixelRatio, QImage::Format_RGB32);
    out.setDevicePixelRatio(pixelRatio);
    out.fill(QColor(250, 250, 250));
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 40, 50));
    for (int c = 0; c < columns; ++c)
        p.drawText(QRect(left + c * (cellW + gap), 4, cellW, top - 6), Qt::AlignCenter, columnNames[c]);
    int y = top;
    for (size_t r = 0; r < rows.size(); ++r) {
        p.drawText(QRect(4, y, left - 8, rowHeights[r]), Qt::AlignLeft | Qt::AlignVCenter, rowNames[int(r)]);
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const QImage &image = rows[r][c];
            const QSizeF size = QSizeF(image.size()) / image.devicePixelRatio() * scale;
            const QRectF target(left + int(c) * (cellW + gap), y, size.width(), size.height());
            p.drawImage(target, image);
            p.setPen(QColor(160, 170, 180));
            p.drawRect(target.adjusted(-0.5, -0.5, 0.5, 0.5));
            p.setPen(QColor(30, 40, 50));
        }
        y += rowHeights[r] + gap;
    }
    return out;
}

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path)) {
        std::fprintf(stderr, "kmr-language-screens: cannot write %s\n", qPrintable(path));
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
        std::fprintf(stderr, "usage: kmr-language-screens PROGRAM_DIR OUTPUT_DIR [SHOTS_DIR]\n");
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

    auto *logo = new TLogoForm();
    MainForm = new TMainForm(nullptr, {});
    skin = new Tskin(MainForm);
    VForm = new TVForm(MainForm);
    CommForm = new TCommForm(MainForm);
    ConnectCommAndMain(CommForm, MainForm);
    PrinterForm = new TPrinterForm(MainForm);
    EnterInfoForm = new TEnterInfoForm(MainForm);
    HarmonicForm = new THarmonicForm(MainForm);
    RecordForm = new TRecordForm(MainForm);
    RecSetForm = new TRecSetForm(MainForm);
    CalibrateForm = new TCalibrateForm(MainForm);
    AlarmForm = new TAlarmForm(MainForm);
    StartingForm = new TStartingForm(MainForm);
    External_CT_form = new TExternal_CT_form(MainForm);
    ComplianceForm = new TComplianceForm(MainForm);
    CompareForm = new TCompareForm(MainForm);
    ConnectWindows();

    sim::MeasurementModel model(7);
    model.measure(Measurement, 3600.0, 0);

    const std::vector<std::pair<QString, QWidget *>> windows = {
        { QStringLiteral("Main"), MainForm },
        { QStringLiteral("Splash"), logo },
        { QStringLiteral("Communication"), CommForm },
        { QStringLiteral("Style"), skin },
        { QStringLiteral("Version"), VForm },
        { QStringLiteral("Harmonic table"), HarmonicForm },
        { QStringLiteral("Compare"), CompareForm },
        { QStringLiteral("Compliance"), ComplianceForm },
        { QStringLiteral("Alarm"), AlarmForm },
        { QStringLiteral("Calibration"), CalibrateForm },
        { QStringLiteral("External CT"), External_CT_form },
        { QStringLiteral("Starting test"), StartingForm },
        { QStringLiteral("Record"), RecordForm },
        { QStringLiteral("Record settings"), RecSetForm },
        { QStringLiteral("Print"), PrinterForm },
        { QStringLiteral("Report information"), EnterInfoForm },
    };
    const Language languages[] = { Language::Original, Language::English, Language::Chinese };
    const QStringList languageNames
        = { QStringLiteral("Original"), QStringLiteral("English"), QStringLiteral("中文") };
    const QString translations = QDir(programDir.path()).filePath(QStringLiteral("translations"));

    std::vector<std::vector<QImage>> rows(windows.size());
    bool ok = true;
    for (int l = 0; l < 3; ++l) {
        ApplyLanguage(languages[l], QDir(translations).exists() ? translations : QStringLiteral(":/translations"));
        QApplication::processEvents();
        MainForm->setStatusSource(TMainForm::PanelCommunication, "Sampling completed!");
        MainForm->DrawMeasurement();
        for (size_t w = 0; w < windows.size(); ++w) {
            QWidget *window = windows[w].second;
            rows[w].push_back(grabWindow(window));
            if (window != MainForm)
                window->hide();
            if (!shotsPath.isEmpty())
                ok &= save(rows[w].back(),
                    QDir(shotsPath).filePath(QStringLiteral("%1-%2.png")
                                                  .arg(windows[w].first.toLower().replace(QLatin1Char(' '), QLatin1Char('-')),
                                                      LanguageFileSuffix(languages[l]).isEmpty()
                                                          ? QStringLiteral("original")
                                                          : LanguageFileSuffix(languages[l]))));
        }
    }

    QStringList windowNames;
    for (const auto &entry : windows)
        windowNames << entry.first;
    const int percent = qRound(qgetenv("QT_SCALE_FACTOR").isEmpty() ? 100 : qgetenv("QT_SCALE_FACTOR").toDouble() * 100);
    // Every window at half its size, in the pixels of the scaling it was taken at.
    const qreal pixelRatio = rows.front().front().devicePixelRatio();
    ok &= save(sheet(rows, windowNames, languageNames, 0.5, pixelRatio), out.filePath(QStringLiteral("Languages-%1.png").arg(percent)));

    delete MainForm;
    delete logo;
    platform::install(static_cast<ProgramDir *>(nullptr));
    std::printf("%d windows in 3 languages written to %s\n", int(windows.size()), qPrintable(out.path()));
    return ok ? 0 : 1;
}
