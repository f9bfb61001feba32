#include "editors/setpoint_form.h"

#include "editors/function_list.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quelvar {

namespace {

constexpr int kNumberLength = 2;

// The setup text's field of one byte of a setpoint's record.
const text::Field& recordField(int setpoint, const char* key)
{
    return setupField("setpoint." + std::to_string(setpoint) + "." + key);
}

constexpr const char* kRecordKeys[] = {"upper", "lower", "function"};

QPushButton* arrowButton(const char* objectName, QStyle::StandardPixmap picture,
                         const QString& shortcut, const QString& hint)
{
    auto* button = formButton(objectName, {});
    button->setIcon(button->style()->standardIcon(picture));
    // The arrows never take the focus, so the number box is not left by them: a
    // number typed there is taken first by the arrow's own handler.
    button->setFocusPolicy(Qt::NoFocus);
    button->setShortcut(QKeySequence(shortcut));
    button->setToolTip(QString("%1 (%2)").arg(hint, shortcut));
    return button;
}

}  // namespace

TCfgSetpointForm::TCfgSetpointForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services), m_fields(image, services)
{
    setWindowTitle("Configure Setpoint Events");
    buildLayout();
    connectHandlers();
    // Sized for the longer of its two fillings.
    fillList(regListBox, nameListRows(statusConditionTable()));
    m_target = UpperEditBox;
    fillRegisterList(Registers);
    m_current = kFirstSetpoint;
    ShowSetpoint();
    focusBox(UpperEditBox);
    setHelpTopic(this, "CfgSetpoints");
    installContextHelp(this, m_services);
}

TCfgSetpointForm::~TCfgSetpointForm()
{
    removeEventHandlers(this);
}

void TCfgSetpointForm::buildLayout()
{
    SetpointEditBox = nameBox("SetpointEditBox", kNumberLength);
    SetpointEditBox->setFixedWidth(SetpointEditBox->fontMetrics().horizontalAdvance("000") * 2);
    upButton = arrowButton("upButton", QStyle::SP_ArrowUp, "Alt+Up", "Next setpoint");
    downButton = arrowButton("downButton", QStyle::SP_ArrowDown, "Alt+Down", "Previous setpoint");
    UpperEditBox = nameBox("UpperEditBox");
    LowerEditBox = nameBox("LowerEditBox");
    FunctionEditBox = nameBox("FunctionEditBox");
    regListBox = nameList("regListBox", recordNames({&registerTable(), &statusConditionTable()}));
    FuncListBox = functionListBox();
    OKButton = formButton("OKButton", kOkCaption);
    helpButton = formButton("helpButton", kHelpCaption);
    cancelButton = formButton("cancelButton", kCancelCaption);

    auto* number = new QHBoxLayout;
    number->addWidget(buddyLabel("Setpoint &No.", SetpointEditBox));
    number->addWidget(downButton);
    number->addWidget(SetpointEditBox);
    number->addWidget(upButton);
    number->addStretch();

    auto* lists = new QHBoxLayout;
    lists->addWidget(regListBox);
    lists->addWidget(FuncListBox);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addLayout(addFields());
    layout->addLayout(lists, 1);
    layout->addLayout(buttonRow({OKButton, cancelButton, helpButton}));

    chainTabOrder({SetpointEditBox, UpperEditBox, LowerEditBox, FunctionEditBox, regListBox,
                   FuncListBox, OKButton, cancelButton, helpButton});
}

// The names are taken exactly as typed; a refused one's message names its box
// ("Upper register - invalid name: gross"). The lower name is looked up in the
// table the upper register asks for.
QGridLayout* TCfgSetpointForm::addFields()
{
    const char* captions[] = {"&Upper Register", "&Lower Register", "E&xecute Function"};
    QLineEdit* boxes[] = {UpperEditBox, LowerEditBox, FunctionEditBox};
    auto* rows = new QGridLayout;
    for (int row = 0; row < 3; ++row) {
        boxes[row]->setMinimumWidth(boxes[row]->fontMetrics().horizontalAdvance("Pulse clearWW"));
        DialogField& field = m_fields.add(boxes[row], captions[row],
                                          recordField(kFirstSetpoint, kRecordKeys[row]).path,
                                          kNameLength);
        field.messageNamesIt = true;
        m_record[static_cast<std::size_t>(row)] = &field;
        rows->addWidget(field.label, row, 0);
        rows->addWidget(boxes[row], row, 1);
    }
    rows->setColumnStretch(2, 1);
    return rows;
}

void TCfgSetpointForm::connectHandlers()
{
    // A click on Cancel or Help takes nothing: Cancel stores nothing, and the number
    // is still there after the help.
    onLeave(SetpointEditBox, [this] {
        const QWidget* next = QApplication::focusWidget();
        if (next != cancelButton && next != helpButton) SetpointEditBoxExit();
    });
    // Enter in the number box goes to the setpoint typed; it does not press OK.
    onEnterKey(SetpointEditBox, [this] {
        SetpointEditBoxExit();
        SetpointEditBox->selectAll();
    });
    onFocusIn(UpperEditBox, [this] { UpperEditBoxEnter(); });
    onFocusIn(LowerEditBox, [this] { LowerEditBoxEnter(); });
    onRowChosen(regListBox, [this] { regListBoxDblClick(); });
    onRowChosen(FuncListBox, [this] { FuncListBoxDblClick(); });
    connect(upButton, &QPushButton::clicked, this, &TCfgSetpointForm::upButtonClick);
    connect(downButton, &QPushButton::clicked, this, &TCfgSetpointForm::downButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &TCfgSetpointForm::OKButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgSetpointForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgSetpointForm::helpButtonClick);
}

void TCfgSetpointForm::fillRegisterList(ListMode mode)
{
    if (mode == m_listMode) return;
    m_listMode = mode;
    fillList(regListBox,
             nameListRows(mode == StatusConditions ? statusConditionTable() : registerTable()));
}

// While the upper box is the target the list holds registers; while the lower box
// is, it holds what the upper register asks for.
void TCfgSetpointForm::ShowSetpoint()
{
    m_current = clampSetpoint(m_current);
    SetpointEditBox->setText(QString::number(m_current));
    for (std::size_t byte = 0; byte < m_record.size(); ++byte)
        m_record[byte]->field = recordField(m_current, kRecordKeys[byte]);
    m_fields.load();
    const bool statusTest = isStatusTest(readSetpoint(m_image, m_current).upper);
    fillRegisterList(m_target == LowerEditBox && statusTest ? StatusConditions : Registers);
}

// Nothing is stored unless all three names are found; the current setpoint stays.
// A setpoint left as it was keeps its bytes; one changed in any box is stored whole,
// as shown, so an empty box stands for none whatever its byte held.
bool TCfgSetpointForm::SaveSetpoint()
{
    if (m_fields.hasChanged())
        for (DialogField* field : m_record)
            field->keepsBytes = false;
    return m_fields.store();
}

// A number typed but not yet taken (the arrows and OK do not move the focus) is
// taken first, as leaving the box would. False when it could not be.
bool TCfgSetpointForm::storePendingNumber()
{
    if (SetpointEditBox->text() == QString::number(m_current)) return true;
    return SetpointEditBoxExit();
}

void TCfgSetpointForm::upButtonClick()
{
    if (!storePendingNumber()) return;
    if (m_current < kLastSetpoint && SaveSetpoint()) {
        ++m_current;
        ShowSetpoint();
    }
}

void TCfgSetpointForm::downButtonClick()
{
    if (!storePendingNumber()) return;
    if (m_current > kFirstSetpoint && SaveSetpoint()) {
        --m_current;
        ShowSetpoint();
    }
}

// Going to another setpoint stores the one shown first, as the arrows do, so its
// boxes are never stored under another number. A text that is no number changes
// nothing.
bool TCfgSetpointForm::SetpointEditBoxExit()
{
    int typed = m_current;
    const bool read =
        runGuarded(m_services, [&] { typed = clampSetpoint(toInt(SetpointEditBox->text())); });
    // Shown before anything else, so the focus moving to a refused name box finds
    // nothing left to take.
    SetpointEditBox->setText(QString::number(m_current));
    if (!read || typed == m_current) return read;
    if (!SaveSetpoint()) return false;
    m_current = typed;
    ShowSetpoint();
    return true;
}

void TCfgSetpointForm::UpperEditBoxEnter()
{
    m_target = UpperEditBox;
    fillRegisterList(Registers);
}

void TCfgSetpointForm::LowerEditBoxEnter()
{
    m_target = LowerEditBox;
    const auto upper = codeOfName(registerTable(), setupTextOf(UpperEditBox));
    fillRegisterList(isStatusTest(upper.value_or(0)) ? StatusConditions : Registers);
}

// The name comes from the table the list holds, in the row picked.
void TCfgSetpointForm::regListBoxDblClick()
{
    const NameTable& table =
        m_listMode == StatusConditions ? statusConditionTable() : registerTable();
    m_target->setText(fromSetupText(table.name(regListBox->currentRow())));
    focusBox(m_target);
}

void TCfgSetpointForm::FuncListBoxDblClick()
{
    FunctionEditBox->setText(fromSetupText(functionTable().name(FuncListBox->currentRow())));
    focusBox(FunctionEditBox);
}

void TCfgSetpointForm::OKButtonClick()
{
    if (storePendingNumber() && SaveSetpoint()) accept();
}

void TCfgSetpointForm::cancelButtonClick()
{
    reject();
}

void TCfgSetpointForm::helpButtonClick()
{
    m_services.showHelp("CfgSetpoints");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgSetpointForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgSetpointForm(c.setup.image, c.services, c.owner);
})
