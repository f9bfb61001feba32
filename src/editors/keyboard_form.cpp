#include "editors/keyboard_form.h"

#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
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
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Keyboard and Power On Functions");
    buildLayout();
    connectHandlers();
    const auto names = keyFunctionNames(m_image);
    for (std::size_t n = 0; n < kKeyEventCount; ++n)
        boxes()[n]->setText(fromSetupText(names[n]));
    fillList(FuncListBox, functionListRows(functionTable()));
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
    FuncListBox = nameList("FuncListBox", recordNames({&functionTable()}));
    OKButton = formButton("OKButton", "OK");
    cancelButton = formButton("cancelButton", "Cancel");
    helpButton = formButton("helpButton", "Help");

    const QString captions[] = {"Po&wer On", "&Print key", "&Units key", "&Gross | Net",
                                "&Tare key", "&Zero key",  "F&1 key",    "F&2 key"};
    auto* fields = new QGridLayout;
    for (int row = 0; row < static_cast<int>(kKeyEventCount); ++row) {
        QLineEdit* box = boxes()[static_cast<std::size_t>(row)];
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance("Pulse clearWW"));
        fields->addWidget(buddyLabel(captions[row], box), row, 0);
        fields->addWidget(box, row, 1);
    }
    fields->setRowStretch(static_cast<int>(kKeyEventCount), 1);

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(FuncListBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));

    chainTabOrder({PoweronEditBox, PrintkeyEditBox, UnitskeyEditBox, GrossNetkeyEditBox,
                   TarekeyEditBox, ZerokeyEditBox, F1keyEditBox, F2keyEditBox, FuncListBox,
                   OKButton, cancelButton, helpButton});
}

void TCfgKeyboardForm::connectHandlers()
{
    for (QLineEdit* box : boxes())
        onFocusIn(box, [this, box] { m_target = box; });
    onRowChosen(FuncListBox, [this] { FuncListBoxDblClick(); });
    connect(OKButton, &QPushButton::clicked, this, &TCfgKeyboardForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgKeyboardForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgKeyboardForm::helpButtonClick);
}

// The focus stays in the list, so more rows can be tried.
void TCfgKeyboardForm::FuncListBoxDblClick()
{
    m_target->setText(fromSetupText(functionTable().name(FuncListBox->currentRow())));
}

void TCfgKeyboardForm::OKButtonClick()
{
    std::array<std::string, kKeyEventCount> typed;
    for (std::size_t n = 0; n < kKeyEventCount; ++n)
        typed[n] = setupTextOf(boxes()[n]);
    const auto failure = storeKeyFunctions(m_image, typed);
    if (!failure) {
        accept();
        return;
    }
    focusBox(boxes()[failure->event]);
    m_services.message(fromSetupText(keyStoreMessage(*failure)));
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
