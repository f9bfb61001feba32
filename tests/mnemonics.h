#pragma once
// The Alt-letters of a window: every push button, tool button with a text of its
// own (not one a tool bar made for an action), check box, labelled control (a label
// with a buddy) and radio group needs one, and no two alike. Radio buttons are
// reached through their group's or their row's label; a button without text (an
// arrow) by its own shortcut.
//
//     EXPECT_EQ(mnemonicFaults(form), QStringList{});

#include "ui/radio_group.h"

#include <QCheckBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>

namespace quelvar {

// The letter after a single '&' ("&&" shows an '&'), upper case; none: a null QChar.
inline QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toUpper();
        ++i;
    }
    return {};
}

inline QStringList mnemonicFaults(const QWidget& window)
{
    QStringList texts;
    for (const auto* button : window.findChildren<QPushButton*>())
        if (!button->text().isEmpty() || button->shortcut().isEmpty()) texts << button->text();
    for (const auto* button : window.findChildren<QToolButton*>())
        if (!button->defaultAction() && !button->text().isEmpty()) texts << button->text();
    for (const auto* box : window.findChildren<QCheckBox*>())
        texts << box->text();
    for (const auto* group : window.findChildren<RadioGroup*>())
        texts << group->title();
    for (const auto* label : window.findChildren<QLabel*>())
        if (label->buddy()) texts << label->text();
    QStringList faults;
    QMap<QChar, QString> owners;
    for (const QString& text : texts) {
        const QChar letter = mnemonicOf(text);
        if (letter.isNull())
            faults << "no Alt-letter: " + text;
        else if (owners.contains(letter))
            faults << QString("Alt+%1 twice: %2, %3").arg(letter).arg(owners[letter], text);
        else
            owners[letter] = text;
    }
    return faults;
}

}  // namespace quelvar
