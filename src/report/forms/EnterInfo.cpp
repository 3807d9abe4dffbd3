#include "report/forms/EnterInfo.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "report/PrintInfo.h"
#include "report/forms/Print.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <array>

TEnterInfoForm *EnterInfoForm = nullptr;

TEnterInfoForm::TEnterInfoForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("EnterInfoForm"));
    resize(449, 281);

    SeSkinGroupBox1 = new QGroupBox(this);
    SeSkinGroupBox1->setObjectName(QStringLiteral("SeSkinGroupBox1"));
    SeSkinGroupBox1->setGeometry(12, 8, 425, 220);

    const auto row = [&](int index, int editWidth, QLabel *&label, QLineEdit *&edit) {
        const int y = 22 + 38 * index;
        label = new QLabel(SeSkinGroupBox1);
        label->setObjectName(QStringLiteral("Label%1").arg(index + 1));
        label->setGeometry(14, y + 4, 100, 20);
        edit = new QLineEdit(SeSkinGroupBox1);
        edit->setObjectName(QStringLiteral("Edit%1").arg(index + 1));
        edit->setGeometry(112, y, editWidth, 26);
        label->setBuddy(edit);
    };
    row(0, 300, Label1, Edit1);
    row(1, 300, Label2, Edit2);
    row(2, 300, Label3, Edit3);
    row(3, 300, Label4, Edit4);
    row(4, 130, Label5, Edit5);

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

    const auto button = [&](const char *name, int x) {
        auto *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 238, 100, 30);
        b->setAutoDefault(false);
        return b;
    };
    SeSkinButton1 = button("SeSkinButton1", 42);
    SeSkinButton2 = button("SeSkinButton2", 174);
    SeSkinButton3 = button("SeSkinButton3", 306);
    connect(SeSkinButton1, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton1Click);
    connect(SeSkinButton2, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton2Click);
    connect(SeSkinButton3, &QPushButton::clicked, this, &TEnterInfoForm::SeSkinButton3Click);

    retranslateUi();
    FormCreate();
}

void TEnterInfoForm::retranslateUi()
{
    setWindowTitle(tr("输入打印信息"));
    const std::pair<QLabel *, QString> rows[] = { { Label1, tr("Project Name ") }, { Label2, tr("Licenser") },
        { Label3, tr("Operator") }, { Label4, tr("Date") }, { Label5, tr("Temperature") } };
    const std::array<QLineEdit *, 5> edits { Edit1, Edit2, Edit3, Edit4, Edit5 };
    for (size_t k = 0; k < edits.size(); ++k) {
        rows[k].first->setText(rows[k].second);
        edits[k]->setAccessibleName(rows[k].second.trimmed());
    }
    const std::pair<QPushButton *, QString> buttons[]
        = { { SeSkinButton1, tr("Enter") }, { SeSkinButton2, tr("Cancel") }, { SeSkinButton3, tr("Exit ") } };
    for (const auto &[b, caption] : buttons) {
        b->setText(caption);
        b->setAccessibleName(caption);
    }
}

void TEnterInfoForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
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
