#pragma once
// What the event dialog tests share: retyping a box and a double-click on a
// list row.

#include "factory_image.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace quelvar {

// The focus put into `box` as Tab does, and `text` typed over what it held.
inline void retype(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::TabFocusReason);
    box->setText(text);
}

inline void doubleClickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A real double-click is a click, then the second press as a double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace quelvar
