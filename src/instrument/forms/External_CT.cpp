#include "instrument/forms/External_CT.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "instrument/CtDelay.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "widgets/NumberKeyFilter.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TExternal_CT_form *External_CT_form = nullptr;

TExternal_CT_form::TExternal_CT_form(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("External_CT_form"));
    setFixedSize(302, 204);
    m_keyFilter = new TNumberKeyFilter(true, this);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 6, 286, 136);

    const auto addLabel = [this](const char *name, const QRect &geometry) {
        auto *label = new QLabel(GroupBox1);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        return label;
    };
    const auto addEdit = [this](const char *name, const QString &text, const QRect &geometry) {
        auto *edit = new QLineEdit(text, GroupBox1);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(geometry);
        m_keyFilter->watch(edit);
        return edit;
    };
    Label1 = addLabel("Label1", { 10, 30, 70, 20 });
    Edit1 = addEdit("Edit1", QStringLiteral("0"), { 80, 27, 70, 24 });
    Label3 = addLabel("Label3", { 156, 30, 125, 20 });
    Label2 = addLabel("Label2", { 10, 66, 70, 20 });
    Edit2 = addEdit("Edit2", QStringLiteral("50"), { 80, 63, 70, 24 });
    Label4 = addLabel("Label4", { 156, 66, 125, 20 });
    Label5 = addLabel("Label5", { 10, 102, 270, 20 });
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(80, 156, 142, 32);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    retranslateUi();
}

void TExternal_CT_form::retranslateUi()
{
    setWindowTitle(tr("外部互感器选项"));
    GroupBox1->setTitle(tr("External CT Delay "));
    Label1->setText(tr("Angle     "));
    Label3->setText(tr("Deg（-30 To +30）"));
    Label2->setText(tr("Frequency"));
    Label4->setText(tr("Hz（50 To 60）"));
    Label5->setText(tr("If not external  CT, please enter 0."));
    Edit1->setAccessibleName(tr("Angle"));
    Edit2->setAccessibleName(tr("Frequency"));
    Button1->setText(tr("Save To Instrument"));
}

void TExternal_CT_form::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void TExternal_CT_form::Button1Click()
{
    CtDelayResult result;
    try {
        result = CtDelayFromTexts(Edit1->text(), Edit2->text());
    } catch (const EConvertError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return;
    }
    if (!result.valid) {
        platform::dialogs().message(result.message);
        return;
    }
    // A closed port sends nothing; the user is told rather than left believing it was saved.
    if (!SendWriteValue(InstrumentAddress, CtDelayRegister, result.delay))
        platform::dialogs().message(tr("Failed,The machine is not connected"));
}
