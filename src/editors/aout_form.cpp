#include "editors/aout_form.h"

#include "editors/analog_output.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {
constexpr int kRegisterTabStop = 36;  // dialog units
constexpr int kRegisterNameLength = 11;
}  // namespace

TCfgAoutForm::TCfgAoutForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Analog Output");
    buildLayout();
    for (const auto& row : nameListRows(registerTable()))
        RegisterListbox->addItem(fromSetupText(row));
    // The list opens at the register's row without choosing it: Tab into the list
    // and Enter must not put back a name typed over.
    RegisterListbox->setCurrentRow(analogRegisterRow(image), QItemSelectionModel::NoUpdate);
    m_fields.load();
    connectHandlers();
    setHelpTopic(this, "CfgAout");
    installContextHelp(this, services);
}

TCfgAoutForm::~TCfgAoutForm()
{
    removeEventHandlers(this);
}

void TCfgAoutForm::buildLayout()
{
    RegisterEditBox = formEditBox("RegisterEditBox", 14);
    OffsetEditBox = formEditBox("OffsetEditBox", 14);
    SpanEditBox = formEditBox("SpanEditBox", 14);
    RegisterListbox = new TabStopListBox;
    RegisterListbox->setObjectName("RegisterListbox");
    RegisterListbox->setTabStops({kRegisterTabStop});
    RegisterListbox->setMinimumWidth(RegisterListbox->fontMetrics().averageCharWidth() * 34);
    RegisterListbox->setMinimumHeight(RegisterListbox->fontMetrics().height() * 14);
    OKButton = formButton("OKButton", kOkCaption);
    CancelButton = formButton("CancelButton", kCancelCaption);
    HelpButton = formButton("HelpButton", kHelpCaption);

    // A register name that is not in the table is refused like a malformed number.
    auto* fields = new QFormLayout;
    const struct {
        QLineEdit* box;
        const char* caption;
        const char* path;
        int maxLength;
    } rows[] = {
        {RegisterEditBox, "&Register", "analog_output.register", kRegisterNameLength},
        {OffsetEditBox, "O&ffset", "analog_output.offset", 0},
        {SpanEditBox, "&Span", "analog_output.span", 0},
    };
    for (const auto& row : rows)
        fields->addRow(m_fields.add(row.box, row.caption, row.path, row.maxLength).label, row.box);

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(RegisterListbox, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttonRow({OKButton, CancelButton, HelpButton}));

    setTabOrder(RegisterEditBox, OffsetEditBox);
    setTabOrder(OffsetEditBox, SpanEditBox);
    setTabOrder(SpanEditBox, RegisterListbox);
    setTabOrder(RegisterListbox, OKButton);
}

// Enter on a row of the list takes it as a double-click does, not as OK.
void TCfgAoutForm::connectHandlers()
{
    onRowChosen(RegisterListbox, [this] { RegisterListboxDblClick(); });
    connect(OKButton, &QPushButton::clicked, this, &TCfgAoutForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgAoutForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgAoutForm::HelpButtonClick);
}

void TCfgAoutForm::RegisterListboxDblClick()
{
    const int row = RegisterListbox->currentRow();
    if (row < 0) return;
    RegisterEditBox->setText(fromSetupText(registerTable().name(row)));
}

void TCfgAoutForm::OKButtonClick()
{
    if (m_fields.store()) accept();
}

void TCfgAoutForm::CancelButtonClick()
{
    reject();
}

void TCfgAoutForm::HelpButtonClick()
{
    m_services.showHelp("CfgAout");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgAoutForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgAoutForm(c.setup.image, c.services, c.owner);
})
