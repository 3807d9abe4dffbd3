#include "instrument/forms/Starting.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

TStartingForm *StartingForm = nullptr;

TStartingForm::TStartingForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("StartingForm"));
    setWindowTitle(QStringLiteral("启动测试"));
    resize(810, 613);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(QStringLiteral("Norvo"), StatusBar1);
    StatusPanel0->setFixedWidth(200);
    StatusBar1->addWidget(StatusPanel0);
    layout->addWidget(StatusBar1);
}

QString TStartingForm::statusText() const
{
    return StatusPanel0->text();
}

void TStartingForm::setStatusText(const QString &text)
{
    StatusPanel0->setText(text);
}

void TStartingForm::DrawChart() { }
