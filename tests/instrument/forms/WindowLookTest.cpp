// What the four windows offer to eyes and to assistive technology: captions that fit their
// controls in every language, and every button, edit box, check box and list reachable by its name through
// the accessibility tree. With KMR_SCREENSHOT_DIR set, each window is also saved there as a PNG.

#include "InstrumentFixture.h"

#include "base/Language.h"
#include "link/sim/SimCapture.h"
#include "measure/DrawingColours.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>

namespace {

class WindowLook : public InstrumentFixture
{
protected:
    void TearDown() override
    {
        ApplyLanguage(Language::Original);
        InstrumentFixture::TearDown();
    }

    std::vector<QDialog *> windows() const
    {
        return { AlarmForm, CalibrateForm, External_CT_form, StartingForm };
    }

    static void collectNames(QAccessibleInterface *node, QSet<QString> &names, int depth = 0)
    {
        if (!node || depth > 20)
            return;
        names.insert(node->text(QAccessible::Name));
        for (int i = 0; i < node->childCount(); ++i)
            collectNames(node->child(i), names, depth + 1);
    }

    static QList<QWidget *> controls(QWidget *window)
    {
        QList<QWidget *> list;
        for (QWidget *widget : window->findChildren<QWidget *>())
            if (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
                || qobject_cast<QComboBox *>(widget))
                list << widget;
        return list;
    }
};

TEST_F(WindowLook, EveryControlIsReachableByItsCaption)
{
    for (QDialog *window : windows()) {
        SCOPED_TRACE(qPrintable(window->objectName()));
        window->show();
        QSet<QString> tree;
        collectNames(QAccessible::queryAccessibleInterface(window), tree);
        QSet<QString> seen;
        const QList<QWidget *> list = controls(window);
        ASSERT_FALSE(list.isEmpty());
        for (QWidget *control : list) {
            SCOPED_TRACE(qPrintable(control->objectName()));
            QAccessibleInterface *node = QAccessible::queryAccessibleInterface(control);
            ASSERT_TRUE(node);
            const QString name = node->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty());
            EXPECT_FALSE(seen.contains(name)) << "two controls named " << qPrintable(name);
            seen.insert(name);
            EXPECT_TRUE(tree.contains(name)) << qPrintable(name) << " is not in the window's tree";
            if (const auto *button = qobject_cast<QAbstractButton *>(control)) {
                const QString caption = QString(button->text()).remove(QLatin1Char('&')).trimmed();
                if (caption.isEmpty())
                    EXPECT_EQ(name, button->toolTip()); // a picture-only button says its hint
                else
                    EXPECT_TRUE(name.contains(caption)) << qPrintable(name);
            }
        }
        window->hide();
    }
}

TEST_F(WindowLook, CaptionsFitTheirControls)
{
    const QString shots = qEnvironmentVariable("KMR_SCREENSHOT_DIR");
    // The colours the skin window sets when nothing is stored, and a capture to look at.
    WaveBackgroundColor = QColor(238, 238, 238);
    WaveScaleColor = QColor(170, 170, 170);
    const std::vector<uint8_t> capture = sim::MakeStartingCapture(0x00, 7);
    std::copy(capture.begin(), capture.end(), StartingCapture.begin());
    // English captions are longer than the Chinese ones, and the original mix is longest in places.
    for (const Language language : { Language::Original, Language::English, Language::Chinese }) {
        SCOPED_TRACE(qPrintable(LanguageKey(language)));
        ApplyLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        for (QDialog *window : windows()) {
            SCOPED_TRACE(qPrintable(window->objectName()));
            window->show();
            if (window == StartingForm)
                StartingForm->DrawChart();
            for (QWidget *widget : window->findChildren<QWidget *>()) {
                if (!widget->isVisible())
                    continue;
                const bool captioned
                    = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLabel *>(widget);
                if (!captioned || StartingForm->StatusBar1->isAncestorOf(widget))
                    continue;
                SCOPED_TRACE(qPrintable(widget->objectName()));
                // A push button's size hint has a floor of its own; its text is what must fit.
                const auto *push = qobject_cast<QPushButton *>(widget);
                const int needed = push ? push->fontMetrics().horizontalAdvance(push->text()) + 6
                                        : widget->sizeHint().width();
                EXPECT_LE(needed, widget->width());
                EXPECT_TRUE(window->rect().contains(
                    widget->geometry().translated(widget->parentWidget()->mapTo(window, QPoint(0, 0)))));
            }
            if (!shots.isEmpty())
                window->grab().save(QDir(shots).filePath(window->objectName() + QLatin1Char('_')
                    + LanguageKey(language) + QStringLiteral(".png")));
            window->hide();
        }
    }
}

} // namespace
