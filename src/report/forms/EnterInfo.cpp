#include "report/forms/EnterInfo.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "report/PrintInfo.h"
#include "report/forms/Print.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

TEnterInfoForm *EnterInfoForm = nullptr;

TEnterInfoForm::TEnterInfoForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("EnterInfoForm"));
    setWindowTitle(QStringLiteral("输入打印信息"));
    resize(449, 281);

    SeSkinGroupBox1 = new QGroupBox(this);
    SeSkinGroupBox1->setObjectName(QStringLiteral("SeSkinGroupBox1"));
    SeSkinGroupBox1->setGeometry(12, 8, 425, 220);

    const auto row = [&](int index, const QString &caption, int editWidth, QLabel *&label, QLineEdit *&edit) {
        const int y = 22 + 38 * index;
        label = new QLabel(caption, SeSkinGroupBox1);
        label->setObjectName(QStringLiteral("Label%1").arg(index + 1));
        label->setGeometry(14, y + 4, 100, 20);
        edit = new QLineEdit(SeSkinGroupBox1);
        edit->setObjectName(QStringLiteral("Edit%1").arg(index + 1));
        edit->setAccessibleName(caption.trimmed());
        edit->setGeometry(112, y, editWidth, 26);
        label->setBuddy(edit);
    };
    row(0, QStringLiteral("Project Name "), 300, Label1, Edit1);
    row(1, QStringLiteral("Licenser"), 300, Label2, Edit2);
    row(2, QStringLiteral("Operator"), 300, Label3, Edit3);
    row(3, QStringLiteral("Date"), 300, Label4, Edit4);
    row(4, QStringLiteral("Temperature"), 130, Label5, Edit5);

    SeSkinRadioButton1 = new QRadioButton(QStringLiteral("℃"), SeSkinGroupBox1);
    SeSkinRadioButton1->setObjectName(QStringLiteral("SeSkinRadioButton1"));
    SeSkinRadioButton1->setGeometry(260, 22 + 38 * 4, 60, 26);
    SeSkinRadioButton2 = new QRadioButton(QStringLiteral("F"), SeSkinGroupBox1);
    SeSkinRadioButton2->setObjectName(QStringLiteral("SeSkinRadioButton2"));
    SeSkinRadioButton2->setGeometry(330, 22 + 38 * 4, 60, 26);
    auto *units = new QButtonGroup(this);
    units->addButton(SeSkinRadioButton1);
    units->addButton(SeSkinRadioButton2);
    SeSkinRadioButton1->setChecked(true);

    const auto button = [&](const char *name, const QString &caption, int x) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
        b->setGeometry(x, 238, 100, 30);
        b->setAutoDefault(false);
        return b;
    };
    SeSkinButton1 = button("SeSkinButton1", QStringLiteral("Enter"), 42);
    SeSkinButton2 = button("SeSkinButton2", QStringLiteral("Cancel"), 174);
    SeSkinButton3 = button("SeSkinButton3", QStringLiteral("Exit "), 306);
    connect(SeSkinButton1, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton1Click);
    connect(SeSkinButton2, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton2Click);
    connect(SeSkinButton3, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton3Click);

    FormCreate();
}

void TEnterInfoForm::FormCreate()
{
    QString unitsError;
    PrintInfo info;
    try {
        info = EnterInfoFields(platform::clock().now().date(), unitsError);
    } catch (const KmrError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return;
    }
    Edit1->setText(info.projectName);
    Edit2->setText(info.company);
    Edit3->setText(info.conner);
    Edit4->setText(info.date);
    Edit5->setText(info.temperature);
    (info.celsius ? SeSkinRadioButton1 : SeSkinRadioButton2)->setChecked(true);
    if (!unitsError.isEmpty())
        platform::dialogs().message(unitsError, Dialogs::Icon::Error);
}

void TEnterInfoForm::SeSkinButton1Click()
{
    PrintInfo info;
    info.projectName = Edit1->text();
    info.company = Edit2->text();
    info.conner = Edit3->text();
    info.date = Edit4->text();
    info.temperature = Edit5->text();
    info.celsius = SeSkinRadioButton1->isChecked();
    try {
        SavePrintInfo(info);
    } catch (const KmrError &error) {
        // Nothing typed is lost: the window stays open with the fields as they are.
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return;
    }
    if (PrinterForm) {
        // A preview on show follows the saved fields at once, and starts again at its top.
        if (PrinterForm->isVisible())
            PrinterForm->FormCreate();
        else
            PrinterForm->Rongqi->verticalScrollBar()->setValue(0);
    }
    close();
}

void TEnterInfoForm::SeSkinButton2Click()
{
    close();
}

void TEnterInfoForm::SeSkinButton3Click()
{
    close();
}
