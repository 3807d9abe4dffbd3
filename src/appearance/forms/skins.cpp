#include "appearance/forms/skins.h"

#include "appearance/SkinChoice.h"
#include "appearance/SkinEngine.h"
#include "base/Errors.h"
#include "measure/DrawingColours.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>

#include <cstdio>
#include <utility>
#include <vector>

Tskin *skin = nullptr;

namespace {
void showStyleSheet(const QString &sheet)
{
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    // Setting a sheet again, even the same one, restyles every widget of the program; the
    // start applies the stored skin twice (at the load and when the skin window reads it).
    if (!application || application->styleSheet() == sheet)
        return;
    // Once a style sheet has been shown, changing it makes Qt forget the fonts that widgets
    // inherit from a parent's font (a status bar's panels, a dialog's labels): they fall back
    // to the application's font. Each widget gets back the font it had.
    std::vector<std::pair<QPointer<QWidget>, QFont>> fonts;
    const QWidgetList widgets = QApplication::allWidgets();
    fonts.reserve(static_cast<size_t>(widgets.size()));
    for (QWidget *widget : widgets)
        fonts.emplace_back(widget, widget->font());
    application->setStyleSheet(sheet);
    for (const auto &[widget, font] : fonts) {
        if (widget && widget->font() != font)
            widget->setFont(font);
    }
}
} // namespace

SkinEngine &ProgramSkin()
{
    static SkinEngine engine(showStyleSheet);
    return engine;
}

void LoadSavedSkin()
{
    appearance::LoadStoredSkin(ProgramSkin());
}

Tskin::Tskin(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("skin"));
    setFixedSize(275, 362);

    // Captions and items are set in the current language by retranslateUi.
    RadioGroup1 = new TRadioGroup(QString(), QStringList(7, QString()), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 8, 121, 305);
    RadioGroup1->setItemIndex(1); // the layout's selection; no handler is set yet

    RadioGroup2 = new TRadioGroup(QString(), QStringList(3, QString()), this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(137, 8, 130, 148);

    RadioGroup3 = new TRadioGroup(QString(), QStringList(3, QString()), this);
    RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    RadioGroup3->setGeometry(137, 165, 130, 148);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(100, 326, 75, 27);

    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
    RadioGroup2->OnClick = [this] { RadioGroup2Click(); };
    RadioGroup3->OnClick = [this] { RadioGroup3Click(); };
    connect(Button1, &QPushButton::clicked, this, &Tskin::Button1Click);
    retranslateUi();
}

void Tskin::retranslateUi()
{
    setWindowTitle(tr("更换皮肤"));
    RadioGroup1->setCaptions(tr("Skins Setting"),
        { tr("WINDOWS"), tr("Skin 1"), tr("Skin 2"), tr("Skin 3"), tr("Skin 4"), tr("Skin 5"),
            tr("Skin 6") });
    RadioGroup2->setCaptions(tr("Background Color"), { tr("Black"), tr("White"), tr("Gray ") });
    RadioGroup3->setCaptions(tr("Color scale"), { tr("Blue & Green"), tr("Yellow"), tr("Light Black") });
    Button1->setText(tr("Close"));
}

void Tskin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void Tskin::FormCreate()
{
    // Start-up goes on with the choices applied even when SysSet.ini cannot be written.
    auto select = [](TRadioGroup *group, std::optional<int> stored) {
        try {
            group->setItemIndex(stored.value_or(-1));
        } catch (const KmrError &error) {
            std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        }
    };
    {
        const QSignalBlocker redrawOnceAtTheEnd(this);
        select(RadioGroup1, appearance::StoredSkin());
        select(RadioGroup2, appearance::StoredBackground());
        select(RadioGroup3, appearance::StoredScale());
    }
    emit DisplayColorsChanged();
}

void Tskin::RadioGroup1Click()
{
    appearance::ChooseSkin(ProgramSkin(), RadioGroup1->ItemIndex());
}

void Tskin::RadioGroup2Click()
{
    // The colour is set before it is stored; the drawings follow it even when storing fails.
    const auto redraw = qScopeGuard([this] { emit DisplayColorsChanged(); });
    appearance::ChooseBackground(RadioGroup2->ItemIndex(), WaveBackgroundColor);
}

void Tskin::RadioGroup3Click()
{
    const auto redraw = qScopeGuard([this] { emit DisplayColorsChanged(); });
    appearance::ChooseScale(RadioGroup3->ItemIndex(), WaveScaleColor);
}

void Tskin::Button1Click()
{
    close();
}
