#include "transfer/transfer_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "model/setup.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/services.h"

namespace quelvar {

namespace {

QPushButton* makeButton(QPushButton*& button, const char* name, const QString& caption)
{
    button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

}  // namespace

TransferForm::TransferForm(Services& services, QString helpTopic, QWidget* owner)
    : QDialog(owner), m_services(services), m_helpTopic(std::move(helpTopic))
{
    setHelpTopic(this, m_helpTopic);
    installContextHelp(this, m_services);
}

void TransferForm::setUp(const QString& caption, const QString& heading,
                         const std::vector<QWidget*>& texts,
                         std::unique_ptr<TransferSession> session, QLabel* progressText,
                         QTimer* timer)
{
    setWindowTitle(caption);
    auto* headingLabel = new QLabel(heading);
    headingLabel->setObjectName("headingLabel");
    QFont font = headingLabel->font();
    font.setBold(true);
    headingLabel->setFont(font);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(makeButton(BeginButton, "BeginButton", "&Begin"));
    buttons->addWidget(makeButton(CancelButton, "CancelButton", kCancelCaption));
    buttons->addWidget(makeButton(HelpButton, "HelpButton", kHelpCaption));
    BeginButton->setDefault(true);
    BeginButton->setFocus();

    ProgressBar = new QProgressBar;
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, int(kSetupImageSize));
    ProgressBar->setValue(0);
    ProgressBar->setFormat("%v of %m bytes");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headingLabel);
    for (QWidget* text : texts)
        layout->addWidget(text);
    layout->addWidget(ProgressBar);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(headingLabel->sizeHint().width() + 60);

    connect(BeginButton, &QPushButton::clicked, this, &TransferForm::BeginButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TransferForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TransferForm::HelpButtonClick);

    m_progressText = progressText;
    m_timer = timer;
    m_timer->setParent(this);
    replaceSession(std::move(session));
}

// While the exchange runs the label follows at once; the text cleared by a failure
// goes away only after its message box.
void TransferForm::replaceSession(std::unique_ptr<TransferSession> session,
                                  std::function<QString(const std::string&)> shown)
{
    if (!shown) shown = [](const std::string& text) { return QString::fromStdString(text); };
    m_session = std::move(session);
    m_session->setProgressListener([this, shown](const std::string& text) {
        if (m_session->active()) m_progressText->setText(shown(text));
    });
}

bool TransferForm::run()
{
    if (!m_session->begin()) return false;
    m_timer->start(m_session->intervalMs());
    return true;
}

void TransferForm::BeginButtonClick()
{
    run();
}

void TransferForm::succeeded()
{
    m_services.message(QString::fromUtf8(m_session->completionText()));
    accept();
}

void TransferForm::CancelButtonClick()
{
    reject();
}

void TransferForm::HelpButtonClick()
{
    m_services.showHelp(m_helpTopic);
}

void TransferForm::step()
{
    const TransferStep result = m_session->tick();
    ProgressBar->setValue(int(m_session->blockBytes()));
    if (result == TransferStep::Running) return;
    m_timer->stop();
    if (result == TransferStep::Succeeded) {
        succeeded();
        return;
    }
    m_services.message(QString::fromStdString(m_session->message()));
    m_progressText->setText(QString::fromStdString(m_session->progressText()));
    ProgressBar->setValue(0);
}

void TransferForm::done(int result)
{
    m_timer->stop();
    if (m_session->active()) m_session->cancel();
    QDialog::done(result);
}

}  // namespace quelvar
