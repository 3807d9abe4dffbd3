#include "measure/forms/Reference.h"

#include "base/Platform.h"
#include "measure/MeasurementFile.h"
#include "widgets/FormParts.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

TReferenceControl::TReferenceControl(
    QObject *parent, const MeasurementRecord &shown, QAction *clearItem, QWidget *statusPanel)
    : QObject(parent)
    , m_shown(shown)
    , m_clearItem(clearItem)
    , m_statusPanel(statusPanel)
{
    setObjectName(QStringLiteral("Reference1"));
    if (m_statusPanel)
        m_statusPanel->installEventFilter(this);
    show();
}

void TReferenceControl::SetReference1Click()
{
    // A measurement that arrived is known by its time; before any, the shown one is what was
    // loaded or the start-up record.
    if (LatestArrival.serial > 0)
        m_state.set(m_shown, tr("measurement"), LatestArrival.time);
    else
        m_state.set(m_shown, tr("shown measurement"), QDateTime());
    show();
}

void TReferenceControl::LoadReference1Click()
{
    const QString fileName = platform::dialogs().openFileName(ShownMeasurementOpenFilter(), QString());
    if (fileName.isEmpty())
        return;
    ShowingErrors([this, &fileName] {
        m_state.load(fileName);
        show();
    });
}

void TReferenceControl::ClearReference1Click()
{
    m_state.clear();
    show();
}

bool TReferenceControl::eventFilter(QObject *watched, QEvent *event)
{
    // The status panel's tooltip follows the language.
    if (watched == m_statusPanel && event->type() == QEvent::LanguageChange)
        m_statusPanel->setToolTip(ReferenceStatusText(m_state.reference()));
    return QObject::eventFilter(watched, event);
}

void TReferenceControl::show()
{
    const QString text = ReferenceStatusText(m_state.reference());
    if (m_statusPanel)
        m_statusPanel->setToolTip(text);
    if (m_clearItem)
        m_clearItem->setEnabled(m_state.isSet());
    emit ReferenceChanged();
}
