#include "record/forms/RecSet.h"

TRecSetForm *RecSetForm = nullptr;

TRecSetForm::TRecSetForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecSetForm"));
    setWindowTitle(QStringLiteral("记录设置"));
    resize(429, 299);
}
