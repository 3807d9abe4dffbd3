#include "appearance/forms/skins.h"

Tskin *skin = nullptr;

Tskin::Tskin(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("skin"));
    setWindowTitle(QStringLiteral("更换皮肤"));
    resize(275, 362);
}
