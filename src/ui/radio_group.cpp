#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quelvar {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this)), m_layout(new QVBoxLayout(this))
{
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i]);
        m_buttons->addButton(button, i);
        m_layout->addWidget(button);
    }
    m_layout->addStretch();
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
    connect(m_buttons, &QButtonGroup::idToggled, this, &RadioGroup::updateTabStop);
    updateTabStop();
}

// Arrow keys move the choice only from the selected item, so Tab must land there
// (on the first item when none is selected).
void RadioGroup::updateTabStop()
{
    const QList<QAbstractButton*> buttons = m_buttons->buttons();
    QAbstractButton* stop = m_buttons->checkedButton();
    if (!stop && !buttons.isEmpty()) stop = buttons.front();
    for (QAbstractButton* button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

// An exclusive group cannot uncheck its last button; it lets go for a moment.
void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* chosen = m_buttons->button(index)) {
        chosen->setChecked(true);
        return;
    }
    m_buttons->setExclusive(false);
    if (QAbstractButton* checked = m_buttons->checkedButton()) checked->setChecked(false);
    m_buttons->setExclusive(true);
}

QAbstractButton* RadioGroup::item(int index) const
{
    return m_buttons->button(index);
}

void RadioGroup::addBelowItems(QWidget* widget)
{
    m_layout->insertWidget(m_buttons->buttons().size(), widget);
}

}  // namespace quelvar
