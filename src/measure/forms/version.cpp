#include "measure/forms/version.h"

#include "appearance/Pictures.h"

#include "base/Platform.h"
#include "measure/forms/Main.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

TVForm *VForm = nullptr;

namespace {
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}
} // namespace

TVForm::TVForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VForm"));
    setFixedSize(313, 137);
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setPixelSize(11);
    setFont(small);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 64, 64);
    Image1->setPixmap(ProgramPicture(QStringLiteral("Pictures/VersionLogo.png"), devicePixelRatioF()));

    Label1 = makeLabel(this, "Label1", QString(), 8, 76);
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 76, 297, 28);
    Label2 = makeLabel(this, "Label2", QString(), 80, 8);
    Label3 = makeLabel(this, "Label3", QString(), 80, 24);
    Label4 = makeLabel(this, "Label4", QString(), 80, 40);
    Label5 = makeLabel(this, "Label5", QString(), 80, 56);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(119, 104, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    retranslateUi();
}

void TVForm::retranslateUi()
{
    setWindowTitle(tr("Version"));
    Label1->setText(tr("NORVO Precision Measurement Technology Co., Ltd(%1)").arg(tr("Suzhou, China")));
    Label2->setText(tr("Version Number : KMR5150_S_02"));
    Label3->setText(tr("Version Title : KMR5150 Software"));
    Label4->setText(tr("Date : 2009-9-8"));
    Label5->setText(tr("Wedsite: %1").arg(TMainForm::WebAddress));
    for (QLabel *label : { Label2, Label3, Label4, Label5 })
        label->adjustSize();
    Button1->setText(tr("Enter"));
}

void TVForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}
