// In English no window of the program shows a Chinese character: every text a user can read
// (titles, captions, buttons, menu items, tool tips, accessible names, list and table items,
// place-holder texts) of every window, read back through the widgets after the switch.

#include "link/forms/MainFixture.h"

#include "appearance/forms/skins.h"
#include "base/Language.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/Logo.h"
#include "measure/forms/version.h"
#include "record/forms/RecSet.h"
#include "report/forms/EnterInfo.h"
#include "report/forms/Print.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

namespace {

bool HasChinese(const QString &text)
{
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

// Every text of `window` and its children a user reads, each named by where it stands.
QList<std::pair<QString, QString>> ReadableTexts(QWidget *window)
{
    QList<std::pair<QString, QString>> texts;
    const auto add = [&texts](const QObject *o, const char *what, const QString &text) {
        if (!text.isEmpty())
            texts.append({ o->objectName() + QLatin1Char('.') + QLatin1String(what), text });
    };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *w : widgets) {
        add(w, "windowTitle", w->isWindow() ? w->windowTitle() : QString());
        add(w, "toolTip", w->toolTip());
        add(w, "accessibleName", w->accessibleName());
        if (auto *label = qobject_cast<QLabel *>(w))
            add(w, "text", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            add(w, "text", button->text());
        if (auto *box = qobject_cast<QGroupBox *>(w))
            add(w, "title", box->title());
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            add(w, "placeholderText", edit->placeholderText());
        if (auto *combo = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(w, "item", combo->itemText(i));
        if (auto *list = qobject_cast<QListWidget *>(w))
            for (int i = 0; i < list->count(); ++i)
                add(w, "item", list->item(i)->text());
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(w, "tab", tabs->tabText(i));
        if (auto *table = qobject_cast<QTableWidget *>(w)) {
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem *item = table->horizontalHeaderItem(c))
                    add(w, "header", item->text());
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (const QTableWidgetItem *item = table->item(r, c))
                        add(w, "cell", item->text());
        }
        if (auto *menu = qobject_cast<QMenu *>(w))
            add(w, "title", menu->title());
    }
    for (const QAction *action : window->findChildren<QAction *>()) {
        add(action, "text", action->text());
        add(action, "toolTip", action->text() == action->toolTip() ? QString() : action->toolTip());
    }
    return texts;
}

class LanguageSweep : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        skin = new Tskin(form.get());
        HarmonicForm = new THarmonicForm(form.get());
        VForm = new TVForm(form.get());
        CompareForm = new TCompareForm(form.get());
        ComplianceForm = new TComplianceForm(form.get());
        CalibrateForm = new TCalibrateForm(form.get());
        External_CT_form = new TExternal_CT_form(form.get());
        RecSetForm = new TRecSetForm(form.get());
        PrinterForm = new TPrinterForm(form.get());
        EnterInfoForm = new TEnterInfoForm(form.get());
        logo = std::make_unique<TLogoForm>();
        AlarmForm->ShowRequesting(); // as the Alarm item opens the window
    }

    void TearDown() override
    {
        ApplyLanguage(Language::Original);
        logo.reset();
        skin = nullptr;
        HarmonicForm = nullptr;
        VForm = nullptr;
        RecSetForm = nullptr;
        PrinterForm = nullptr;
        EnterInfoForm = nullptr;
        MainFormFixture::TearDown();
    }

    std::unique_ptr<TLogoForm> logo;
};

TEST_F(LanguageSweep, EnglishShowsNoChineseInAnyWindowAndOriginalStillDoes)
{
    const std::vector<QWidget *> windows = { form.get(), CommForm, skin, HarmonicForm, VForm, CompareForm,
        ComplianceForm, AlarmForm, CalibrateForm, External_CT_form, StartingForm, RecordForm, RecSetForm,
        PrinterForm, EnterInfoForm, logo.get() };
    // The language menu names each language in its own words.
    const QStringList ownNames = { QStringLiteral("LanguageChinese1.text") };

    const auto chineseTexts = [&] {
        QStringList found;
        for (QWidget *window : windows)
            for (const auto &[where, text] : ReadableTexts(window))
                if (HasChinese(text) && !ownNames.contains(where))
                    found << window->objectName() + QLatin1Char('/') + where + QStringLiteral(": ") + text;
        return found;
    };

    const QStringList original = chineseTexts();
    EXPECT_FALSE(original.isEmpty()) << "the original texts mix in Chinese";

    ASSERT_GT(ApplyLanguage(Language::English), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    const QStringList english = chineseTexts();
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char('\n')).toStdString();
}

} // namespace
