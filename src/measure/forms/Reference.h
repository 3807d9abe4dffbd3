#pragma once

// The main window's reference measurement: its three File menu commands and the status bar
// tooltip that names it. The state and the file checks are plain code (measure/Reference).

#include "measure/Reference.h"

#include <QObject>

#include <optional>

class QAction;
class QWidget;

class TReferenceControl : public QObject
{
    Q_OBJECT

public:
    // `shown`: the measurement the main window shows; `clearItem` is enabled while a reference
    // is set; `statusPanel` carries the reference's name and time as its tooltip.
    TReferenceControl(
        QObject *parent, const MeasurementRecord &shown, QAction *clearItem, QWidget *statusPanel);

    void SetReference1Click(); // the shown measurement becomes the reference
    void LoadReference1Click(); // a measurement file becomes the reference
    void ClearReference1Click();

    const std::optional<ReferenceMeasurement> &reference() const { return m_state.reference(); }

signals:
    void ReferenceChanged(); // set, loaded or cleared

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show();

    const MeasurementRecord &m_shown;
    QAction *m_clearItem;
    QWidget *m_statusPanel;
    ReferenceState m_state;
};
