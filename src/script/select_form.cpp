#include "script/select_form.h"

#include "script/edit_form.h"
#include "script/listing_edit.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/digit_keys.h"
#include "ui/focus_out.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quelvar {

namespace {

constexpr const char* kHelpTopic = "CfgTSselect";

QLabel* boxLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TCfgTSselectForm::TCfgTSselectForm(Setup& setup, Services& services, QWidget* owner)
    : QDialog(owner), m_setup(setup), m_services(services)
{
    setWindowTitle("Tally Script Function Select");
    setHelpTopic(this, kHelpTopic);
    installContextHelp(this, m_services);
    buildLayout();
    connectHandlers();
    for (int n = 1; n < static_cast<int>(kFunctionCount); ++n)
        FNameList->addItem(fromSetupText(std::string(userFunctionName(n))));
    // All fifteen names in view at once.
    FNameList->setMinimumHeight(FNameList->sizeHintForRow(0) * FNameList->count() +
                                2 * FNameList->frameWidth());
    m_functionNumber = 1;
    FNoEdit->setText("1");
    FNoEdit->selectAll();  // typing a number replaces it
    ShowFunction();
}

void TCfgTSselectForm::buildLayout()
{
    FNoEdit = new QLineEdit;
    FNoEdit->setObjectName("FNoEdit");
    FNoEdit->setMaxLength(2);
    FNoEdit->setFixedWidth(FNoEdit->fontMetrics().horizontalAdvance("00") * 3);
    FNameEdit = new QLineEdit;
    FNameEdit->setObjectName("FNameEdit");
    FNameEdit->setReadOnly(true);
    FNameEdit->setFocusPolicy(Qt::ClickFocus);
    FNameList = new QListWidget;
    FNameList->setObjectName("FNameList");
    FNameList->setFixedWidth(FNameList->fontMetrics().horizontalAdvance("User15") * 3);
    DescriptionMemo = new QPlainTextEdit;
    DescriptionMemo->setObjectName("DescriptionMemo");
    DescriptionMemo->setTabChangesFocus(true);
    DescriptionMemo->setMinimumWidth(DescriptionMemo->fontMetrics().averageCharWidth() * 44);
    EditButton = new QPushButton("&Edit");
    EditButton->setObjectName("EditButton");
    EditButton->setDefault(true);
    CloseButton = new QPushButton("&Close");
    CloseButton->setObjectName("CloseButton");
    HelpButton = new QPushButton("&Help");
    HelpButton->setObjectName("HelpButton");

    auto* title = new QLabel("Tally Script Function Select");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* fields = new QGridLayout;
    fields->addWidget(boxLabel("&Fn #", FNoEdit), 0, 0);
    fields->addWidget(new QLabel("Function Name"), 0, 1);  // shows, takes no typing
    fields->addWidget(FNoEdit, 1, 0);
    fields->addWidget(FNameEdit, 1, 1);
    fields->setColumnStretch(1, 1);

    auto* lists = new QHBoxLayout;
    lists->addWidget(FNameList);
    lists->addWidget(DescriptionMemo, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {EditButton, CloseButton, HelpButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(fields);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    setTabOrder(FNoEdit, FNameList);
    setTabOrder(FNameList, DescriptionMemo);
    setTabOrder(DescriptionMemo, EditButton);
    setTabOrder(EditButton, CloseButton);
    setTabOrder(CloseButton, HelpButton);
}

void TCfgTSselectForm::connectHandlers()
{
    FNoEdit->installEventFilter(this);
    onFocusOut(FNoEdit, [this] { FNoEditExit(); });
    onFocusOut(DescriptionMemo, [this] { DescriptionMemoExit(); });
    m_descriptionText.limit(*DescriptionMemo, kFunctionDescriptionSize - 1);
    // The current row follows the keyboard as well as the mouse; a click on the row
    // that is already current (after Fn # 0 left it unselected) picks it again.
    connect(FNameList, &QListWidget::currentRowChanged, this, [this] { FNameListClick(); });
    connect(FNameList, &QListWidget::itemClicked, this, [this] { FNameListClick(); });
    connect(FNameList, &QListWidget::itemDoubleClicked, this, [this] { FNameListDblClick(); });
    connect(EditButton, &QPushButton::clicked, this, &TCfgTSselectForm::EditButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TCfgTSselectForm::CloseButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgTSselectForm::HelpButtonClick);
}

bool TCfgTSselectForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FNoEdit && event->type() == QEvent::KeyPress)
        return FNoEditKeyPress(static_cast<const QKeyEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

void TCfgTSselectForm::ShowFunction()
{
    m_functionNumber = selectableFunctionNumber(m_functionNumber);
    FNameEdit->setText(fromSetupText(std::string(userFunctionName(m_functionNumber))));
    m_descriptionText.show(*DescriptionMemo,
                           functionDescription(m_setup.functionDescriptions, m_functionNumber));
    // Function 0 has no row: the list keeps its current row, unselected, so that
    // entering the list does not pick a function by itself.
    const QSignalBlocker quiet(FNameList);
    if (m_functionNumber > 0)
        FNameList->setCurrentRow(m_functionNumber - 1);
    else
        FNameList->clearSelection();
}

void TCfgTSselectForm::SaveDescription()
{
    const std::string text = m_descriptionText.read(*DescriptionMemo);
    if (storeFunctionDescription(m_setup.functionDescriptions, m_functionNumber, text)) return;
    m_services.message(QString("Function Number Error: Fn. No. %1").arg(m_functionNumber));
    m_functionNumber = 1;
    ShowFunction();
}

// Characters other than digits never reach the number box; keys that move the
// focus or the cursor still do.
bool TCfgTSselectForm::FNoEditKeyPress(const QKeyEvent& key)
{
    return isNonDigitKey(key);
}

bool TCfgTSselectForm::FNoEditExit()
{
    // The message box of a failed conversion takes the focus from the box once more.
    if (m_leavingNumber) return false;
    const QScopedValueRollback leaving(m_leavingNumber, true);
    SaveDescription();
    return runGuarded(m_services, [this] {
        m_functionNumber = selectableFunctionNumber(toInt(FNoEdit->text()));
        FNoEdit->setText(QString::number(m_functionNumber));
        ShowFunction();
    });
}

void TCfgTSselectForm::FNameListClick()
{
    if (FNameList->currentRow() < 0) return;
    m_functionNumber = FNameList->currentRow() + 1;
    FNoEdit->setText(QString::number(m_functionNumber));
    ShowFunction();
}

void TCfgTSselectForm::FNameListDblClick()
{
    FNameListClick();
    openEditor();
}

void TCfgTSselectForm::DescriptionMemoExit()
{
    SaveDescription();
}

// A button pressed by a key leaves the focus where it was: the box being typed
// into is taken first, as if it had been left. False when the number box holds no
// number (the message has been shown).
bool TCfgTSselectForm::storePendingEdit()
{
    if (FNoEdit->hasFocus()) return FNoEditExit();
    if (DescriptionMemo->hasFocus()) SaveDescription();
    return true;
}

void TCfgTSselectForm::openEditor()
{
    TCfgTSeditForm editor(m_setup, m_services, m_functionNumber, this);
    editor.exec();
}

void TCfgTSselectForm::EditButtonClick()
{
    if (storePendingEdit()) openEditor();
}

void TCfgTSselectForm::CloseButtonClick()
{
    SaveDescription();
    accept();
}

void TCfgTSselectForm::HelpButtonClick()
{
    m_services.showHelp(kHelpTopic);
}

// There is no Cancel: however the dialog closes (Escape, the close box), what was
// typed into the memo is kept.
void TCfgTSselectForm::done(int result)
{
    SaveDescription();
    QDialog::done(result);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgTSselectForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgTSselectForm(c.setup, c.services, c.owner);
})
