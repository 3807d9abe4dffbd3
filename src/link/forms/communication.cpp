#include "link/forms/communication.h"

#include <QComboBox>

TCommForm *CommForm = nullptr;

TCommForm::TCommForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CommForm"));
    setWindowTitle(QStringLiteral("Communication "));
    resize(326, 521);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("4.8Kbps"), QStringLiteral("9.6Kbps"), QStringLiteral("14.4Kbps"),
                         QStringLiteral("19.2Kbps"), QStringLiteral("38.4Kbps"), QStringLiteral("57,6Kbps"),
                         QStringLiteral("76.8Kbps"), QStringLiteral("115.2Kbps")});
    // Nothing is chosen until the stored speed is read.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->move(24, 200);
}

int TCommForm::SelectedBaudIndex() const
{
    return ComboBox1->currentIndex();
}
