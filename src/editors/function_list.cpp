#include "editors/function_list.h"

#include "script/name_tables.h"
#include "ui/event_form_parts.h"
#include "ui/latin1_text.h"
#include "ui/tab_stop_list.h"

#include <QLineEdit>

namespace quelvar {

TabStopListBox* functionListBox()
{
    TabStopListBox* list = nameList("FuncListBox", recordNames({&functionTable()}));
    fillList(list, functionListRows(functionTable()));
    return list;
}

void pickFunctionsInto(TabStopListBox* list, std::span<QLineEdit* const> boxes,
                       QLineEdit*& target, bool focusTarget)
{
    for (QLineEdit* box : boxes)
        onFocusIn(box, [&target, box] { target = box; });
    onRowChosen(list, [list, &target, focusTarget] {
        target->setText(fromSetupText(functionTable().name(list->currentRow())));
        if (focusTarget) focusBox(target);
    });
}

}  // namespace quelvar
