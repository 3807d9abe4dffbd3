#pragma once

// A captioned group of radio buttons with one index, like the radio groups of the design:
// ItemIndex is the checked item, -1 for none. OnClick runs whenever the checked item changes,
// whether the user clicked it or the program set it; setting the index it already has does
// nothing.

#include <QGroupBox>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QRadioButton;

class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    // The caption and the items' texts (as many as there are items), e.g. in another language.
    void setCaptions(const QString &caption, const QStringList &items);

    int ItemIndex() const;
    // An index with no item clears the selection (and runs no handler).
    void setItemIndex(int index);
    QRadioButton *item(int index) const;
    int count() const;

    std::function<void()> OnClick;

private:
    QButtonGroup *m_buttons = nullptr;
};
