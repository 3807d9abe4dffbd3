#pragma once

// The key filter of the instrument windows' number boxes: keys that would type anything but
// a digit, the point, backspace (and the minus sign where allowed) are discarded.

#include <QObject>

class QLineEdit;

class TNumberKeyFilter : public QObject
{
    Q_OBJECT

public:
    TNumberKeyFilter(bool minusAllowed, QObject *parent);
    void watch(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_minusAllowed;
};
