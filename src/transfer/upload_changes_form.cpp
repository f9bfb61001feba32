#include "transfer/upload_changes_form.h"

#include "ui/context_help.h"
#include "ui/diff_table.h"
#include "ui/form_parts.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quelvar {

QString uploadQuestion(std::size_t changes)
{
    return changes == 1 ? QString("Upload 1 change?") : QString("Upload %1 changes?").arg(changes);
}

TUploadChangesForm::TUploadChangesForm(const std::vector<text::DiffRow>& rows,
                                       const QString& backupPath, Services& services,
                                       QWidget* owner)
    : QDialog(owner)
{
    setObjectName("TUploadChangesForm");
    setWindowTitle("Changes to upload");
    setHelpTopic(this, "Upload");
    installContextHelp(this, services);

    ChangesTable = new DiffTable(rows, "On the indicator", "To upload");
    ChangesTable->setObjectName("ChangesTable");
    QuestionText = headingLabel(uploadQuestion(std::size_t(ChangesTable->rowCount())));
    QuestionText->setObjectName("QuestionText");
    BackupText = new QLabel("The indicator's setup as it was is kept in " + backupPath);
    BackupText->setObjectName("BackupText");
    BackupText->setWordWrap(true);
    BackupText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    YesButton = formButton("YesButton", "&Yes");
    NoButton = formButton("NoButton", "&No");
    HelpButton = formButton("HelpButton", kHelpCaption);
    connect(YesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, [&services] { services.showHelp("Upload"); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(QuestionText);
    layout->addWidget(ChangesTable, 1);
    if (std::any_of(rows.begin(), rows.end(), [](const auto& r) { return r.calibration; })) {
        CalibrationText = new QLabel(
            "Calibration factors change: the scale will need calibrating again unless they are "
            "the ones it was calibrated with.");
        CalibrationText->setObjectName("CalibrationText");
        CalibrationText->setWordWrap(true);
        layout->addWidget(CalibrationText);
    }
    layout->addWidget(BackupText);
    layout->addLayout(buttonRow({YesButton, NoButton, HelpButton}));
    YesButton->setFocus();
    resize(720, 400);  // as wide as the compare window: a listing line shows whole
}

}  // namespace quelvar

// A capacity changed and the span factor with it, as a file from another scale would.
QUELVAR_SCREENSHOT(TUploadChangesForm, [](quelvar::ScreenshotContext& c) {
    const auto other = quelvar::text::importSetupText(
        "[scale]\ncapacity = 500\nspan_factor = 81234\n[end]\n");
    return new quelvar::TUploadChangesForm(
        quelvar::text::diffSetups(c.setup, other.setup),
        "~/.local/share/quelvar/backups/2024-05-31_14-02-07_COM1.sf", c.services, c.owner);
})
