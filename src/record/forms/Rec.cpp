#include "record/forms/Rec.h"

#include <QTimer>

TRecordForm *RecordForm = nullptr;

TRecordForm::TRecordForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecordForm"));
    setWindowTitle(QStringLiteral("Record "));
    resize(797, 598);

    OpenTimer = new QTimer(this);
    OpenTimer->setObjectName(QStringLiteral("OpenTimer"));
    OpenTimer->setInterval(1000);
}
