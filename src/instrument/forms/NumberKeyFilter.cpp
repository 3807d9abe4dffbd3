#include "instrument/forms/NumberKeyFilter.h"

#include "instrument/NumberInput.h"

#include <QEvent>
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
        // Shortcuts with Ctrl type control characters (Ctrl+V is 0x16): discarded as well.
        if (!NumberKeyAccepted(key->text(), m_minusAllowed))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
