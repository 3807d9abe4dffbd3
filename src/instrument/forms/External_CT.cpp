#include "instrument/forms/External_CT.h"

TExternal_CT_form *External_CT_form = nullptr;

TExternal_CT_form::TExternal_CT_form(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("External_CT_form"));
    setWindowTitle(QStringLiteral("外部互感器选项"));
    resize(302, 204);
}
