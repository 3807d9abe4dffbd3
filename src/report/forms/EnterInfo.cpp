#include "report/forms/EnterInfo.h"

TEnterInfoForm *EnterInfoForm = nullptr;

TEnterInfoForm::TEnterInfoForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("EnterInfoForm"));
    setWindowTitle(QStringLiteral("输入打印信息"));
    resize(449, 281);
}
