#include "measure/forms/version.h"

#include "appearance/Pictures.h"

#include "base/Platform.h"
#include "measure/forms/Main.h"

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
    setWindowTitle(QStringLiteral("Version"));
    setFixedSize(313, 137);
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setPixelSize(11);
    setFont(small);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 64, 64);
    Image1->setPixmap(ProgramPicture(QStringLiteral("Pictures/VersionLogo.png"), devicePixelRatioF()));

    Label1 = makeLabel(this, "Label1",
        QStringLiteral("NORVO Precision Measurement Technology Co., Ltd") + QStringLiteral("(")
            + TMainForm::MakerLocation + QStringLiteral(")"),
        8, 76);
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 76, 297, 28);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Version Number : KMR5150_S_02"), 80, 8);
    Label3 = makeLabel(this, "Label3", QStringLiteral("Version Title : KMR5150 Software"), 80, 24);
    Label4 = makeLabel(this, "Label4", QStringLiteral("Date : 2009-9-8"), 80, 40);
    Label5 = makeLabel(this, "Label5", QStringLiteral("Wedsite: ") + TMainForm::WebAddress, 80, 56);

    Button1 = new QPushButton(QStringLiteral("Enter"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(119, 104, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}
