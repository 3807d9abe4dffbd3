#pragma once

// Cursors A and B on the wave pane: a click places A, a shift-click B, the arrow keys move
// the one placed last by a sample, Escape removes both; a small readout over the pane's top
// left corner shows what they read. The readings are plain code (measure/WaveCursor).

#include "measure/WaveCursor.h"

#include <QObject>

class QLabel;
class QWidget;

class TWaveCursorControl : public QObject
{
    Q_OBJECT

public:
    // `pane`: the wave pane's paint box; `shown`: the measurement it draws.
    TWaveCursorControl(QWidget *pane, const MeasurementRecord &shown);

    const WaveCursors &cursors() const { return m_cursors; }
    QLabel *CursorReadout = nullptr;

signals:
    void CursorsChanged(); // placed, moved or removed

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changed();
    void showReadout(); // the readout of the shown measurement, hidden without cursors

    QWidget *m_pane;
    const MeasurementRecord &m_shown;
    WaveCursors m_cursors;
};
