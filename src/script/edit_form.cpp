#include "script/edit_form.h"

#include "script/name_tables.h"
#include "script/tally_script.h"
#include "ui/completion.h"
#include "ui/context_help.h"
#include "ui/focus_out.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QVBoxLayout>

namespace quelvar {

namespace {

constexpr int kInstructionLength = 10;
constexpr int kOperandLength = 12;
constexpr int kCommentLength = kLineCommentSize - 1;  // a zero ends each comment
constexpr const char* kHelpTopic = "CfgTSedit";

QString fromText(std::string_view text)
{
    return fromSetupText(std::string(text));
}

QStringList namesOf(const NameTable& table)
{
    QStringList names;
    for (const auto& record : table.records().subspan(1))
        names << fromText(record.name);
    return names;
}

QLineEdit* lineBox(const char* name, int maxLength)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    return box;
}

QLabel* boldLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setBuddy(buddy);
    return label;
}

bool isEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// As the box's own focus-in by Tab does, the whole text is selected, so typing
// replaces it.
void focusBox(QLineEdit* box)
{
    box->setFocus();
    box->selectAll();
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TCfgTSeditForm::TCfgTSeditForm(Setup& setup, Services& services, int functionNumber, QWidget* owner)
    : QDialog(owner), m_setup(setup), m_services(services), m_functionNumber(functionNumber),
      m_listing(rebuildListing(setup, functionNumber)), m_compiledLines(m_listing.lines())
{
    setWindowTitle(QString("Edit Tally Script Function %1  %2")
                       .arg(functionNumber)
                       .arg(fromText(userFunctionName(functionNumber))));
    setHelpTopic(this, kHelpTopic);
    installContextHelp(this, m_services);
    buildLayout();
    connectHandlers();
    syncRows();
    ShowLine();
    focusBox(InstrEdit);
}

std::array<QLineEdit*, 5> TCfgTSeditForm::boxes() const
{
    return {InstrEdit, Op1Edit, Op2Edit, Op3Edit, CommentEdit};
}

void TCfgTSeditForm::buildLayout()
{
    InstrEdit = lineBox("InstrEdit", kInstructionLength);
    Op1Edit = lineBox("Op1Edit", kOperandLength);
    Op2Edit = lineBox("Op2Edit", kOperandLength);
    Op3Edit = lineBox("Op3Edit", kOperandLength);
    CommentEdit = lineBox("CommentEdit", kCommentLength);
    PatternLabel = new QLabel;
    PatternLabel->setObjectName("PatternLabel");
    PatternLabel->setMinimumHeight(PatternLabel->fontMetrics().height());
    PatternLabel->setForegroundRole(QPalette::PlaceholderText);
    ListingListBox = new TabStopListBox;
    ListingListBox->setObjectName("ListingListBox");
    // Alt+C compiles, as it always has: Cancel takes Alt+A.
    InsertButton = button("InsertButton", "&Insert");
    DeleteButton = button("DeleteButton", "&Delete");
    CompileButton = button("CompileButton", "&Compile");
    OkButton = button("OkButton", "&OK");
    CancelButton = button("CancelButton", "C&ancel");
    HelpButton = button("HelpButton", "&Help");

    // Each box sits above the listing column it edits: the box widths give the
    // list's tab stops.
    const QFontMetrics metrics(ListingListBox->font());
    const int margin = metrics.averageCharWidth() * 2;
    const int widths[] = {metrics.horizontalAdvance("Set pt offW") + margin,
                          metrics.horizontalAdvance("Pulse clearW") + margin,
                          metrics.horizontalAdvance("Pulse clearW") + margin,
                          metrics.horizontalAdvance("Pulse clearW") + margin,
                          metrics.averageCharWidth() * (kCommentLength + 2) + margin};
    const int spacing = metrics.averageCharWidth() / 2;
    const double unit = metrics.averageCharWidth() / 4.0;
    std::vector<int> stops;
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(spacing);
    const QString captions[] = {"I&nstruction", "Operand &1", "Operand &2", "Operand &3",
                                "Co&mment"};
    int x = 0;
    for (int i = 0; i < 5; ++i) {
        QLineEdit* box = boxes()[static_cast<std::size_t>(i)];
        box->setFixedWidth(widths[i]);
        fields->addWidget(boldLabel(captions[i], box), 1, i);
        fields->addWidget(box, 2, i);
        x += widths[i] + spacing;
        if (i < 4) stops.push_back(static_cast<int>(x / unit + 0.5));
    }
    // Above the boxes, where a box's completion list cannot cover it.
    fields->addWidget(PatternLabel, 0, 0, 1, 5);
    fields->setColumnStretch(5, 1);
    ListingListBox->setTabStops(stops);
    ListingListBox->setMinimumWidth(x + metrics.averageCharWidth() * 4);

    auto* buttons = new QVBoxLayout;
    for (auto* b : {InsertButton, DeleteButton, CompileButton})
        buttons->addWidget(b);
    buttons->addStretch();
    for (auto* b : {OkButton, CancelButton, HelpButton})
        buttons->addWidget(b);

    auto* body = new QGridLayout(this);
    body->addLayout(fields, 0, 0);
    body->addWidget(ListingListBox, 1, 0);
    body->addLayout(buttons, 0, 1, 2, 1);
    body->setRowStretch(1, 1);
    resize(sizeHint().width(), metrics.height() * 30);

    QWidget* order[] = {InstrEdit,     Op1Edit,        Op2Edit,      Op3Edit,
                        CommentEdit,   ListingListBox, InsertButton, DeleteButton,
                        CompileButton, OkButton,       CancelButton, HelpButton};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TCfgTSeditForm::connectHandlers()
{
    // Leaving a box stores the line. The filters go in before the completers', so
    // a completion popup eats the box's focus-out while it is open.
    for (QLineEdit* box : boxes()) {
        onFocusOut(box, [this] { StoreLine(); });
        box->installEventFilter(this);
    }
    nameCompleter(InstrEdit, namesOf(instructionTable()));
    for (std::size_t i = 0; i < m_operandCompleters.size(); ++i)
        m_operandCompleters[i] = nameCompleter(boxes()[i + 1], {});
    for (std::size_t i = 0; i < 4; ++i)
        boxes()[i]->completer()->popup()->installEventFilter(this);
    connect(InstrEdit, &QLineEdit::textChanged, this, &TCfgTSeditForm::instructionChanged);

    connect(ListingListBox, &QListWidget::itemClicked, this, &TCfgTSeditForm::ListingListBoxClick);
    connect(ListingListBox, &QListWidget::activated, this, &TCfgTSeditForm::ListingListBoxClick);
    // Moving through the list with the keys shows each line and leaves the focus there.
    connect(ListingListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!ListingListBox->hasFocus() || row < 0) return;
        m_listing.select(static_cast<std::size_t>(row));
        ShowLine();
    });
    connect(InsertButton, &QPushButton::clicked, this, &TCfgTSeditForm::InsertButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TCfgTSeditForm::DeleteButtonClick);
    connect(CompileButton, &QPushButton::clicked, this, &TCfgTSeditForm::CompileButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TCfgTSeditForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgTSeditForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgTSeditForm::HelpButtonClick);
}

bool TCfgTSeditForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    for (QLineEdit* box : boxes()) {
        if (watched == box) return EditKeyPress(box, key);
        // Enter in an open completion popup takes the entry picked in it; with none
        // picked it is the box's own Enter.
        QAbstractItemView* popup = box->completer() ? box->completer()->popup() : nullptr;
        if (watched == popup && isEnter(key) && !popup->currentIndex().isValid()) {
            popup->hide();
            return EditKeyPress(box, key);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The rows of the list are the listing's lines; only rows that differ are touched,
// so the list keeps its scroll position.
void TCfgTSeditForm::syncRows()
{
    const auto& lines = m_listing.lines();
    const int count = static_cast<int>(lines.size());
    while (ListingListBox->count() > count)
        delete ListingListBox->takeItem(ListingListBox->count() - 1);
    while (ListingListBox->count() < count)
        ListingListBox->addItem(QString());
    for (int row = 0; row < count; ++row) {
        const QString text = fromText(lines[static_cast<std::size_t>(row)]);
        if (ListingListBox->item(row)->text() != text) ListingListBox->item(row)->setText(text);
    }
}

void TCfgTSeditForm::ShowLine()
{
    const auto line = m_listing.currentFields();
    if (!line) return;
    const std::string_view texts[] = {line->instruction, line->operand1, line->operand2,
                                      line->operand3, line->comment};
    for (std::size_t i = 0; i < 5; ++i)
        boxes()[i]->setText(fromText(texts[i]));
    const QSignalBlocker quiet(ListingListBox);
    ListingListBox->setCurrentRow(static_cast<int>(m_listing.current()));
}

void TCfgTSeditForm::StoreLine()
{
    const ListingLine line = m_listing.store(
        {toSetupText(InstrEdit->text()), toSetupText(Op1Edit->text()), toSetupText(Op2Edit->text()),
         toSetupText(Op3Edit->text()), toSetupText(CommentEdit->text())});
    const std::string_view texts[] = {line.instruction, line.operand1, line.operand2, line.operand3,
                                      line.comment};
    for (std::size_t i = 0; i < 5; ++i)
        if (boxes()[i]->text() != fromText(texts[i])) boxes()[i]->setText(fromText(texts[i]));
    syncRows();
}

// A button pressed by a key leaves the focus in the box being typed into: its line
// is stored first, as if the box had been left.
void TCfgTSeditForm::storePendingEdit()
{
    for (QLineEdit* box : boxes())
        if (box->hasFocus()) StoreLine();
}

// The operand pattern of the instruction typed, and the names its operands take.
void TCfgTSeditForm::instructionChanged()
{
    const int index = LookupByName(instructionTable(), typedName(toSetupText(InstrEdit->text())));
    PatternLabel->setText(index ? fromText(instructionTable().description(index)) : QString());
    const auto opcode = static_cast<std::uint8_t>(instructionTable().code(index));
    for (std::size_t i = 0; i < m_operandCompleters.size(); ++i) {
        const NameTable* table =
            index ? operandNameTable(opcode, static_cast<int>(i) + 1) : nullptr;
        auto* model = static_cast<QStringListModel*>(m_operandCompleters[i]->model());
        model->setStringList(table ? namesOf(*table) : QStringList());
    }
}

// Enter stores the line and goes on to the next one; the arrow keys move up and
// down the listing and keep the focus in the same box.
bool TCfgTSeditForm::EditKeyPress(QLineEdit* box, const QKeyEvent& key)
{
    if (isEnter(key)) {
        StoreLine();
        m_listing.next();
        ShowLine();
        focusBox(InstrEdit);
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        StoreLine();
        if (key.key() == Qt::Key_Down)
            m_listing.next();
        else if (m_listing.current() > 0)
            m_listing.select(m_listing.current() - 1);
        ShowLine();
        box->selectAll();
        return true;
    default: return false;
    }
}

void TCfgTSeditForm::ListingListBoxClick()
{
    const int row = ListingListBox->currentRow();
    if (row != static_cast<int>(m_listing.current())) {
        if (row < 0) ListingListBox->setCurrentRow(0);
        m_listing.select(static_cast<std::size_t>(std::max(row, 0)));
        ShowLine();
    }
    focusBox(InstrEdit);
}

void TCfgTSeditForm::InsertButtonClick()
{
    storePendingEdit();
    m_listing.insertEmpty();
    syncRows();
    ShowLine();
    focusBox(InstrEdit);
}

void TCfgTSeditForm::DeleteButtonClick()
{
    storePendingEdit();
    m_listing.removeCurrent();
    syncRows();
    ShowLine();
    focusBox(InstrEdit);
}

void TCfgTSeditForm::reportFailure(const CompileResult& result)
{
    if (result.failingLine >= 0) {
        m_listing.select(static_cast<std::size_t>(result.failingLine));
        ShowLine();
    }
    m_services.message(fromText(result.message()));
    switch (compileErrorFocus(result.error)) {
    case ErrorFocus::Instruction: focusBox(InstrEdit); break;
    case ErrorFocus::Operand1: focusBox(Op1Edit); break;
    case ErrorFocus::Operand2: focusBox(Op2Edit); break;
    case ErrorFocus::Operand3: focusBox(Op3Edit); break;
    case ErrorFocus::None: break;
    }
}

void TCfgTSeditForm::CompileButtonClick()
{
    storePendingEdit();
    const auto result = CompileListing(m_setup, m_functionNumber, m_listing.lines(), true);
    if (result.success) {
        m_compiledLines = m_listing.lines();
        m_services.message(fromText(compileSuccessText(result.byteCount)));
    }
    else if (result.reported())
        reportFailure(result);
}

void TCfgTSeditForm::OkButtonClick()
{
    storePendingEdit();
    const auto result = CompileListing(m_setup, m_functionNumber, m_listing.lines(), false);
    if (result.reported()) reportFailure(result);
    if (result.success || m_services.askOkCancel("!! Compile Error !!", BoxIcon::Error)) accept();
}

void TCfgTSeditForm::CancelButtonClick()
{
    reject();
}

// Cancel, Esc and the window's close: a listing not compiled since it was changed
// goes only when the person says so.
void TCfgTSeditForm::reject()
{
    storePendingEdit();
    if (m_listing.lines() != m_compiledLines &&
        !m_services.warnYesNo(QString("Discard the changes to function %1?").arg(m_functionNumber)))
        return;
    QDialog::reject();
}

void TCfgTSeditForm::HelpButtonClick()
{
    m_services.showHelp(kHelpTopic);
}

}  // namespace quelvar

// A listing with comments on lines of zero to three operands, each under Comment.
QUELVAR_SCREENSHOT(TCfgTSeditForm, [](quelvar::ScreenshotContext& c) {
    const std::vector<std::string> lines = {
        "Add\tMemory1\tGross\tTare\tsum of both", "If\tMotion\t\t\twait for the scale",
        "Prompt\tWAIT\t\t\tshown while moving",   "Else\t\t\t\tsettled",
        "Set\tMemory2\t44\t\tstart value",        "End if\t\t\t\t",
        "Gosub\tUser2\t\t\tprint the ticket",     "End\t\t\t\tdone"};
    quelvar::CompileListing(c.setup, 1, lines, false);
    return new quelvar::TCfgTSeditForm(c.setup, c.services, 1, c.owner);
})
