#include "serial/com_test_form.h"

#include "serial/com_port.h"
#include "serial/com_test.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace quelvar {

namespace {

constexpr const char* kHelpTopic = "ComTest";
constexpr char kEsc = 27;
constexpr int kPollMs = 10;

QLabel* makeLabel(QLabel*& label, const char* name)
{
    label = new QLabel;
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(QPushButton*& button, const char* name, const QString& caption)
{
    button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

}  // namespace

std::optional<char> typedCharacter(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Escape) return kEsc;
    // Ctrl with a letter or one of @ [ \ ] ^ _ gives its control byte, as a terminal's does.
    const auto modifiers =
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (modifiers == Qt::ControlModifier && key.key() >= Qt::Key_At &&
        key.key() <= Qt::Key_Underscore)
        return static_cast<char>(key.key() - Qt::Key_At);
    const QString text = key.text();
    if (text.size() != 1 || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return std::nullopt;
    const char16_t c = text.front().unicode();
    if (c > 0xFF) return std::nullopt;
    return static_cast<char>(c);
}

TComTestForm::TComTestForm(ComPort& port, Services& services, QWidget* owner)
    : QDialog(owner), m_port(port), m_services(services)
{
    setWindowTitle("Test Communications");
    buildLayout();
    connectHandlers();
    setHelpTopic(this, kHelpTopic);
    installContextHelp(this, m_services);
}

void TComTestForm::buildLayout()
{
    auto* heading = new QLabel("Communications Test");
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    const std::pair<QLabel**, const char*> labels[] = {
        {&ComPortLabel, "ComPortLabel"},   {&DeviceLabel, "DeviceLabel"},
        {&BaudRateLabel, "BaudRateLabel"}, {&DataBitsLabel, "DataBitsLabel"},
        {&ParityLabel, "ParityLabel"},     {&StopBitsLabel, "StopBitsLabel"},
    };
    auto* summary = new QVBoxLayout;
    for (const auto& [label, name] : labels)
        summary->addWidget(makeLabel(*label, name));
    summary->addSpacing(8);
    summary->addWidget(makeLabel(TxCount, "TxCount"));
    summary->addStretch();

    RXwindow = new QPlainTextEdit;
    RXwindow->setObjectName("RXwindow");
    RXwindow->setReadOnly(true);
    RXwindow->setFocusPolicy(Qt::ClickFocus);  // Tab passes it by
    RXwindow->setWordWrapMode(QTextOption::WrapAnywhere);
    RXwindow->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(RXwindow->font());
    RXwindow->setMinimumSize(metrics.horizontalAdvance('M') * 48, metrics.lineSpacing() * 12);

    auto* middle = new QHBoxLayout;
    middle->addLayout(summary);
    middle->addWidget(RXwindow, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeButton(TXtest, "TXtest", "&Transmit Test Data"));
    buttons->addWidget(makeButton(ClearTextBox, "ClearTextBox", "&Clear Text Box"));
    buttons->addStretch();
    buttons->addWidget(makeButton(ExitTest, "ExitTest", "E&xit"));
    buttons->addWidget(makeButton(HelpButton, "HelpButton", kHelpCaption));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    TestTimer = new QTimer(this);
    TestTimer->setObjectName("TestTimer");
    TestTimer->setInterval(kPollMs);
    TXtest->setFocus();
}

void TComTestForm::connectHandlers()
{
    RXwindow->installEventFilter(this);
    connect(TestTimer, &QTimer::timeout, this, &TComTestForm::TestTimerTimer);
    connect(TXtest, &QPushButton::clicked, this, &TComTestForm::TXtestClick);
    connect(ClearTextBox, &QPushButton::clicked, this, &TComTestForm::ClearTextBoxClick);
    connect(ExitTest, &QPushButton::clicked, this, &TComTestForm::ExitTestClick);
    connect(HelpButton, &QPushButton::clicked, this, &TComTestForm::HelpButtonClick);
}

// Switching to another program and back keeps the receive window as it is.
void TComTestForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TComTestForm::FormActivate()
{
    m_receiveText.clear();
    showReceiveText();
    showSummary();
    m_txCount = 0;
    TxCount->clear();
    TestTimer->start();
}

// Closing in any way stops the poll; the port stays as it is.
void TComTestForm::done(int result)
{
    TestTimer->stop();
    QDialog::done(result);
}

void TComTestForm::showSummary()
{
    const PortSummary summary = portSummary(m_port);
    const std::pair<QLabel*, const std::string&> labels[] = {
        {ComPortLabel, summary.comPort},   {DeviceLabel, summary.device},
        {BaudRateLabel, summary.baudRate}, {DataBitsLabel, summary.dataBits},
        {ParityLabel, summary.parity},     {StopBitsLabel, summary.stopBits},
    };
    for (const auto& [label, text] : labels)
        label->setText(QString::fromStdString(text));
}

void TComTestForm::showReceiveText()
{
    RXwindow->setPlainText(QString::fromLatin1(m_receiveText));
    RXwindow->verticalScrollBar()->setValue(RXwindow->verticalScrollBar()->maximum());
}

void TComTestForm::TestTimerTimer()
{
    if (pollReceived(m_port, m_receiveText)) showReceiveText();
}

// Only sends that went out are counted.
void TComTestForm::TXtestClick()
{
    if (m_port.WriteString(kTestText)) ++m_txCount;
    TxCount->setText(QString::fromStdString(txCountText(m_txCount)));
}

void TComTestForm::ClearTextBoxClick()
{
    m_receiveText.clear();
    showReceiveText();
}

void TComTestForm::ExitTestClick()
{
    accept();
}

void TComTestForm::HelpButtonClick()
{
    m_services.showHelp(kHelpTopic);
}

// A key the focused button leaves alone goes out with an "x" after it and is
// echoed at once.
void TComTestForm::keyPressEvent(QKeyEvent* event)
{
    if (copiesSelection(*event)) return;
    if (const auto key = typedCharacter(*event))
        FormKeyPress(*key);
    else
        QDialog::keyPressEvent(event);
}

void TComTestForm::FormKeyPress(char key)
{
    m_port.WriteString(std::string{key, 'x'});
    appendReceivedByte(m_receiveText, static_cast<std::uint8_t>(key));
    showReceiveText();
    if (key == kEsc) reject();
}

bool TComTestForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RXwindow && event->type() == QEvent::KeyPress) {
        const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
        if (copiesSelection(keyEvent)) return true;
        if (const auto key = typedCharacter(keyEvent)) {
            RXwindowKeyPress(*key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Ctrl+C copies text selected in the receive window; with nothing selected it is
// the control byte.
bool TComTestForm::copiesSelection(const QKeyEvent& key)
{
    if (!key.matches(QKeySequence::Copy) || !RXwindow->textCursor().hasSelection()) return false;
    RXwindow->copy();
    return true;
}

// A key typed in the receive window goes out alone; its echo shows with the
// next bytes received.
void TComTestForm::RXwindowKeyPress(char key)
{
    m_port.WriteString(std::string(1, key));
    appendReceivedByte(m_receiveText, static_cast<std::uint8_t>(key));
    if (key == kEsc) reject();
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TComTestForm, [](quelvar::ScreenshotContext& c) {
    auto* form = new quelvar::TComTestForm(c.port, c.services, c.owner);
    // After the showing that starts the window empty: an indicator's answers.
    QTimer::singleShot(0, form, [form] {
        form->receiveText() = "SI^M^J1234567890abcdefghijklmnopqurstuwxyz G    12.50 lb^M^J";
        form->showReceiveText();
    });
    return form;
})
