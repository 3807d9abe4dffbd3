#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_buttons(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(this);
        m_buttons->addButton(button, i);
        layout->addWidget(button);
    }
    setCaptions(caption, items);
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && OnClick)
            OnClick();
    });
}

void TRadioGroup::setCaptions(const QString &caption, const QStringList &items)
{
    setTitle(caption);
    for (int i = 0; i < items.size() && i < count(); ++i) {
        // "&" in a caption is a character of its own, not a mnemonic mark.
        item(i)->setText(QString(items[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item(i)->setAccessibleName(items[i]);
    }
}

int TRadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    if (QAbstractButton *checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

QRadioButton *TRadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton *>(m_buttons->button(index));
}

int TRadioGroup::count() const
{
    return static_cast<int>(m_buttons->buttons().size());
}
