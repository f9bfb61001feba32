#include "transfer/display_form.h"

#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "printing/report_form.h"
#include "script/function_listing.h"
#include "ui/context_help.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quelvar {

namespace {

QPushButton* button(QPushButton*& member, const char* name, const QString& caption)
{
    member = new QPushButton(caption);
    member->setObjectName(name);
    member->setAutoDefault(false);
    return member;
}

QString joinedLines(const std::vector<std::string>& lines)
{
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + '\n';
    return text;
}

}  // namespace

TDisplayForm::TDisplayForm(SetupDocument& document, Services& services, QWidget* owner)
    : QDialog(owner), m_document(document), m_services(services)
{
    setObjectName("TDisplayForm");
    setWindowTitle("Display Configuration Data");
    setHelpTopic(this, "DisplayConfig");
    installContextHelp(this, m_services);
    buildLayout();
    connect(FLButton, &QPushButton::clicked, this, &TDisplayForm::FLButtonClick);
    connect(PLButton, &QPushButton::clicked, this, &TDisplayForm::PLButtonClick);
    connect(TSButton, &QPushButton::clicked, this, &TDisplayForm::TSButtonClick);
    connect(EDButton, &QPushButton::clicked, this, &TDisplayForm::EDButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &TDisplayForm::ExitButtonClick);
    PLButtonClick();
}

void TDisplayForm::buildLayout()
{
    TextBox = new QPlainTextEdit;
    TextBox->setObjectName("TextBox");
    TextBox->setReadOnly(true);
    TextBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // One byte a character, in columns: no wrapping, a horizontal scroll bar instead.
    TextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    TextBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("Liberation Mono");
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    TextBox->setFont(font);
    TextBox->setMinimumSize(TextBox->fontMetrics().horizontalAdvance('0') * 92,
                            TextBox->fontMetrics().lineSpacing() * 30);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {button(PLButton, "PLButton", "&Parameter List"),
                           button(EDButton, "EDButton", "&Earom Dump"),
                           button(TSButton, "TSButton", "&Tally Script List"),
                           button(FLButton, "FLButton", "&Full List")})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(button(ExitButton, "ExitButton", "E&xit"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(TextBox, 1);
    setTabOrder(PLButton, EDButton);
    setTabOrder(EDButton, TSButton);
    setTabOrder(TSButton, FLButton);
    setTabOrder(FLButton, ExitButton);
    setTabOrder(ExitButton, TextBox);
}

// Every view replaces the whole text and starts at its top left corner.
void TDisplayForm::showText(const QString& text)
{
    TextBox->setPlainText(text);
    TextBox->moveCursor(QTextCursor::Start);
    TextBox->verticalScrollBar()->setValue(0);
    TextBox->horizontalScrollBar()->setValue(0);
}

void TDisplayForm::PLButtonClick()
{
    std::vector<std::string> lines;
    std::string line;
    for (int index = 0; ParamListLine(line, m_document.setup().image, index) != 0; ++index)
        lines.push_back(line);
    showText(joinedLines(lines));
}

void TDisplayForm::EDButtonClick()
{
    showText(joinedLines(EaromDumpLines(m_document.setup().image)));
}

// The smaller type stays for the other views until the dialog closes.
void TDisplayForm::TSButtonClick()
{
    QFont font = TextBox->font();
    font.setPointSize(8);
    TextBox->setFont(font);
    showText(QString::fromStdString(tallyScriptListText(m_document.setup())));
}

void TDisplayForm::FLButtonClick()
{
    TReportForm report(m_document.setup(), m_document.fileName(), todayShortDate(), m_services,
                       this);
    report.exec();
}

void TDisplayForm::ExitButtonClick()
{
    accept();
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TDisplayForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TDisplayForm(c.document, c.services, c.owner);
})
