#include "ui/radiogroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget *parent)
    : QGroupBox(parent)
    , m_buttons(new QButtonGroup(this))
    , m_layout(new QVBoxLayout(this))
{
    m_buttons->setExclusive(true);
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
    connect(m_buttons, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

QStringList TRadioGroup::items() const
{
    QStringList texts;
    for (QAbstractButton *b : m_buttons->buttons())
        texts.append(b->text());
    return texts;
}

void TRadioGroup::setItems(const QStringList &items)
{
    const int chosen = itemIndex();
    for (QAbstractButton *b : m_buttons->buttons()) {
        m_buttons->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        m_buttons->addButton(button, i);
        m_layout->addWidget(button);
    }
    setItemIndex(chosen < items.size() ? chosen : -1);
}

void TRadioGroup::setItemText(int index, const QString &text)
{
    if (QAbstractButton *b = m_buttons->button(index))
        b->setText(text);
}

int TRadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (QAbstractButton *b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item chosen: an exclusive group cannot uncheck its last button.
    if (QAbstractButton *b = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        b->setChecked(false);
        m_buttons->setExclusive(true);
        emit itemIndexChanged(-1);
    }
}
