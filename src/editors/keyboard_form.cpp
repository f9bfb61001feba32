#include "editors/keyboard_form.h"

#include "editors/function_list.h"
#include "script/name_table.h"
#include "ui/context_help.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TCfgKeyboardForm::TCfgKeyboardForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Keyboard and Power On Functions");
    buildLayout();
    connectHandlers();
    m_target = PoweronEditBox;
    focusBox(PoweronEditBox);
    setHelpTopic(this, "KeyboardEvent");
    installContextHelp(this, m_services);
}

TCfgKeyboardForm::~TCfgKeyboardForm()
{
    removeEventHandlers(this);
}

std::array<QLineEdit*, kKeyEventCount> TCfgKeyboardForm::boxes() const
{
    return {PoweronEditBox, PrintkeyEditBox, UnitskeyEditBox, GrossNetkeyEditBox,
            TarekeyEditBox, ZerokeyEditBox,  F1keyEditBox,    F2keyEditBox};
}

void TCfgKeyboardForm::buildLayout()
{
    PoweronEditBox = nameBox("PoweronEditBox");
    PrintkeyEditBox = nameBox("PrintkeyEditBox");
    UnitskeyEditBox = nameBox("UnitskeyEditBox");
    GrossNetkeyEditBox = nameBox("GrossNetkeyEditBox");
    TarekeyEditBox = nameBox("TarekeyEditBox");
    ZerokeyEditBox = nameBox("ZerokeyEditBox");
    F1keyEditBox = nameBox("F1keyEditBox");
    F2keyEditBox = nameBox("F2keyEditBox");
    FuncListBox = functionListBox();
    OKButton = formButton("OKButton", kOkCaption);
    cancelButton = formButton("cancelButton", kCancelCaption);
    helpButton = formButton("helpButton", kHelpCaption);

    auto* top = new QHBoxLayout;
    top->addLayout(addFields());
    top->addWidget(FuncListBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));

    chainTabOrder({PoweronEditBox, PrintkeyEditBox, UnitskeyEditBox, GrossNetkeyEditBox,
                   TarekeyEditBox, ZerokeyEditBox, F1keyEditBox, F2keyEditBox, FuncListBox,
                   OKButton, cancelButton, helpButton});
}

// A name is trimmed and its first letter raised before it is looked up; the message
// of a refused one names its key ("Invalid Function - F1 key: USER3").
QGridLayout* TCfgKeyboardForm::addFields()
{
    const char* captions[] = {"Po&wer On", "&Print key", "&Units key", "&Gross | Net",
                              "&Tare key", "&Zero key",  "F&1 key",    "F&2 key"};
    const char* paths[] = {"keys.power_on", "keys.print_key", "keys.units_key",
                           "keys.gross_net_key", "keys.tare_key", "keys.zero_key",
                           "keys.f1_key", "keys.f2_key"};
    auto* rows = new QGridLayout;
    for (int row = 0; row < static_cast<int>(kKeyEventCount); ++row) {
        QLineEdit* box = boxes()[static_cast<std::size_t>(row)];
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance("Pulse clearWW"));
        DialogField& field = m_fields.add(box, captions[row], paths[row], kNameLength);
        field.messageNamesIt = true;
        rows->addWidget(field.label, row, 0);
        rows->addWidget(box, row, 1);
    }
    rows->setRowStretch(static_cast<int>(kKeyEventCount), 1);
    m_fields.load();
    return rows;
}

void TCfgKeyboardForm::connectHandlers()
{
    pickFunctionsInto(FuncListBox, boxes(), m_target, false);
    connect(OKButton, &QPushButton::clicked, this, &TCfgKeyboardForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgKeyboardForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgKeyboardForm::helpButtonClick);
}

void TCfgKeyboardForm::OKButtonClick()
{
    if (m_fields.store()) accept();
}

void TCfgKeyboardForm::cancelButtonClick()
{
    reject();
}

void TCfgKeyboardForm::helpButtonClick()
{
    m_services.showHelp("KeyboardEvent");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgKeyboardForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgKeyboardForm(c.setup.image, c.services, c.owner);
})
