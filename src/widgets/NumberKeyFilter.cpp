#include "widgets/NumberKeyFilter.h"

#include "base/NumberInput.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

TNumberKeyFilter::TNumberKeyFilter(bool minusAllowed, QObject *parent)
    : QObject(parent)
    , m_minusAllowed(minusAllowed)
{
}

void TNumberKeyFilter::watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
}

bool TNumberKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // The editing shortcuts work as in any text box; a paste takes only what could have
        // been typed. Other keys with Ctrl type control characters and are discarded.
        if (key->matches(QKeySequence::Paste)) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched))
                edit->insert(NumberPasteText(QGuiApplication::clipboard()->text(), m_minusAllowed));
            return true;
        }
        for (const auto shortcut : { QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                 QKeySequence::Undo, QKeySequence::Redo })
            if (key->matches(shortcut))
                return QObject::eventFilter(watched, event);
        if (!NumberKeyAccepted(key->text(), m_minusAllowed))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
