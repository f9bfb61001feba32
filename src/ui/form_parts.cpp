#include "ui/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quelvar {

QPushButton* formButton(const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

QLineEdit* formEditBox(const char* name, int widthChars)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setFixedWidth(box->fontMetrics().averageCharWidth() * widthChars + 12);
    return box;
}

QLabel* buddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QLabel* headingLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (auto* button : buttons)
        row->addWidget(button);
    if (buttons.size() > 0) (*buttons.begin())->setDefault(true);
    return row;
}

}  // namespace quelvar
