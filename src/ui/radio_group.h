#pragma once
// A captioned group of radio buttons chosen by index, one item a line:
//
//     auto* baudGroup = new RadioGroup("Baud Rate", {"1200 baud", "2400 baud"});
//     baudGroup->setItemIndex(1);        // -1: no item selected
//     connect(baudGroup, &RadioGroup::itemClicked, this, [](int index) { ... });
//
// itemClicked comes from the person only (a click, or an arrow key moving to an
// item), also when the item clicked was already selected; setItemIndex is silent.
// Tab enters the group at its selected item, where the arrow keys move the choice.

#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QVBoxLayout;

namespace quelvar {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QAbstractButton* item(int index) const;
    // Puts `widget` under the last item, inside the group.
    void addBelowItems(QWidget* widget);

signals:
    void itemClicked(int index);

private:
    void updateTabStop();

    QButtonGroup* m_buttons;
    QVBoxLayout* m_layout;
};

}  // namespace quelvar
