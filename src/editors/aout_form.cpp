#include "editors/aout_form.h"

#include "editors/analog_output.h"
#include "script/name_table.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {
constexpr int kRegisterTabStop = 36;  // dialog units
}

TCfgAoutForm::TCfgAoutForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("CfgAoutForm");
    buildLayout();
    for (const auto& row : nameListRows(registerTable()))
        RegisterListbox->addItem(fromSetupText(row));
    RegisterListbox->setCurrentRow(analogRegisterRow(image));
    RegisterEditBox->setText(fromSetupText(analogRegisterName(image)));
    OffsetEditBox->setText(QString::number(analogOffset(image)));
    SpanEditBox->setText(QString::number(analogSpan(image)));
    connectHandlers();
    setHelpTopic(this, "CfgAout");
    installContextHelp(this, services);
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
    OKButton = formButton("OKButton", "OK");
    CancelButton = formButton("CancelButton", "Cancel");
    HelpButton = formButton("HelpButton", "Help");

    auto* fields = new QFormLayout;
    fields->addRow(buddyLabel("Register", RegisterEditBox), RegisterEditBox);
    fields->addRow(buddyLabel("Offset", OffsetEditBox), OffsetEditBox);
    fields->addRow(buddyLabel("Span", SpanEditBox), SpanEditBox);

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

void TCfgAoutForm::connectHandlers()
{
    RegisterListbox->installEventFilter(this);
    connect(RegisterListbox, &QListWidget::itemDoubleClicked, this,
            &TCfgAoutForm::RegisterListboxDblClick);
    connect(OKButton, &QPushButton::clicked, this, &TCfgAoutForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgAoutForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgAoutForm::HelpButtonClick);
}

// Enter on a row of the list takes it as a double-click does, not as OK.
bool TCfgAoutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RegisterListbox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent&>(*event).key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RegisterListboxDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCfgAoutForm::RegisterListboxDblClick()
{
    const int row = RegisterListbox->currentRow();
    if (row < 0) return;
    RegisterEditBox->setText(fromSetupText(std::string(registerTable().name(row))));
}

// An unknown register name keeps the old register, yet the offset and span are
// stored and the dialog closes.
void TCfgAoutForm::storeFields()
{
    if (!storeAnalogRegister(m_image, toSetupText(RegisterEditBox->text())))
        m_services.message("Register name is invalid");
    storeAnalogOffset(m_image, toInt(OffsetEditBox->text()));
    storeAnalogSpan(m_image, toInt(SpanEditBox->text()));
}

void TCfgAoutForm::OKButtonClick()
{
    if (runGuarded(m_services, [this] { storeFields(); })) accept();
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
