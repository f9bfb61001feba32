#include "transfer/compare_form.h"

#include "model/file_io.h"
#include "ui/context_help.h"
#include "ui/diff_table.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

TCompareForm::TCompareForm(std::vector<text::DiffRow> rows, const QString& otherName,
                           Services& services, QWidget* owner)
    : QDialog(owner), m_rows(std::move(rows)), m_services(services)
{
    setObjectName("TCompareForm");
    setWindowTitle("Compare");
    setHelpTopic(this, "Compare");
    installContextHelp(this, services);

    DifferencesTable = new DiffTable(m_rows, "This setup", otherName);
    DifferencesTable->setObjectName("DifferencesTable");
    const int settings = DifferencesTable->rowCount();
    const QString count = settings == 1 ? QString("1 setting differs")
                                        : QString("%1 settings differ").arg(settings);
    HeadingText = headingLabel(count + " between this setup and " + otherName);
    HeadingText->setObjectName("HeadingText");
    CopyButton = formButton("CopyButton", "&Copy");
    SaveButton = formButton("SaveButton", "&Save...");
    CloseButton = formButton("CloseButton", "C&lose");
    HelpButton = formButton("HelpButton", kHelpCaption);
    connect(CopyButton, &QPushButton::clicked, this, &TCompareForm::CopyButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TCompareForm::SaveButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpButton, &QPushButton::clicked, this, [&services] { services.showHelp("Compare"); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeadingText);
    layout->addWidget(DifferencesTable, 1);
    layout->addLayout(buttonRow({CloseButton, CopyButton, SaveButton, HelpButton}));
    DifferencesTable->setFocus();
    resize(720, 420);
}

QString TCompareForm::differencesText() const
{
    QString text;
    for (const std::string& line : text::diffText(m_rows))
        text += QString::fromStdString(line) + '\n';
    return text;
}

void TCompareForm::CopyButtonClick()
{
    QGuiApplication::clipboard()->setText(differencesText());
}

void TCompareForm::SaveButtonClick()
{
    const auto chosen = m_services.chooseTextFile("differences.txt");
    if (!chosen) return;
    const QByteArray bytes = differencesText().toUtf8();
    const FileWriteResult written = writeFileAtomically(
        chosen->toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!written.ok())
        m_services.error("The differences could not be saved in " + *chosen,
                         QString::fromStdString(written.reason));
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCompareForm, [](quelvar::ScreenshotContext& c) {
    const auto other = quelvar::text::importSetupText(
        "[scale]\ncapacity = 500\nunits = \"kg\"\n[end]\n");
    return new quelvar::TCompareForm(quelvar::text::diffSetups(c.setup, other.setup), "line2.sf",
                                     c.services, c.owner);
})
