#include "measure/forms/WaveCursorControl.h"

#include "widgets/TranslatedText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

TWaveCursorControl::TWaveCursorControl(QWidget *pane, const MeasurementRecord &shown)
    : QObject(pane)
    , m_pane(pane)
    , m_shown(shown)
{
    setObjectName(QStringLiteral("WaveCursors1"));
    // Focus on a click, so that the arrow keys and Escape reach the pane.
    pane->setFocusPolicy(Qt::ClickFocus);
    pane->installEventFilter(this);

    CursorReadout = new QLabel(pane);
    CursorReadout->setObjectName(QStringLiteral("CursorReadout"));
    SetTranslatedText(CursorReadout, "accessibleName", "TWaveCursorControl", QT_TR_NOOP("Cursor readout"));
    // Clicks go through to the pane underneath.
    CursorReadout->setAttribute(Qt::WA_TransparentForMouseEvents);
    CursorReadout->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 215); color: "
                                                "black; border: 1px solid gray; padding: 2px; }"));
    QFont font = CursorReadout->font();
    font.setStyleHint(QFont::Monospace);
    font.setFamily(QStringLiteral("monospace"));
    CursorReadout->setFont(font);
    CursorReadout->move(4, 4);
    CursorReadout->hide();
}

bool TWaveCursorControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_pane)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const bool asB = mouse->modifiers() & Qt::ShiftModifier;
        m_cursors.place(SampleAtPaneX(int(mouse->position().x()), m_pane->width()), asB);
        changed();
        return true;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!m_cursors.any())
            break;
        if (key->key() == Qt::Key_Escape) {
            m_cursors.clear();
        } else if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) {
            m_cursors.move(key->key() == Qt::Key_Left ? -1 : 1);
        } else {
            break;
        }
        changed();
        return true;
    }
    case QEvent::Paint:
        // The pane is repainted after each new measurement: the values under the cursors follow.
        if (m_cursors.any())
            showReadout();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TWaveCursorControl::changed()
{
    showReadout();
    emit CursorsChanged();
}

void TWaveCursorControl::showReadout()
{
    const QString text = WaveCursorReadout(m_shown, m_cursors);
    if (text.isEmpty()) {
        CursorReadout->hide();
        return;
    }
    if (text != CursorReadout->text()) {
        CursorReadout->setText(text);
        CursorReadout->adjustSize();
    }
    CursorReadout->show();
}
