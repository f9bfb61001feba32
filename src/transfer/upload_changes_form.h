#pragma once
// The question an upload that read the indicator first asks: the settings the upload
// changes, one a row (on the indicator, to upload), calibration factors marked, and
// "Upload N changes?". Yes (accept) goes on with the upload; No, Escape or closing
// the window (reject) sends nothing.
//
//     TUploadChangesForm question(rows, backup.path, services, uploadDialog);
//     if (question.exec() == QDialog::Accepted) ... upload

#include "text/setup_text.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;

namespace quelvar {

class DiffTable;
class Services;

class TUploadChangesForm : public QDialog {
    Q_OBJECT
public:
    // `backupPath`: where the indicator's setup was kept.
    TUploadChangesForm(const std::vector<text::DiffRow>& rows, const QString& backupPath,
                       Services& services, QWidget* owner = nullptr);

private:
    QLabel* QuestionText;
    DiffTable* ChangesTable;
    QLabel* CalibrationText = nullptr;  // only when a calibration factor changes
    QLabel* BackupText;
    QPushButton* YesButton;
    QPushButton* NoButton;
    QPushButton* HelpButton;
};

// "Upload 3 changes?", "Upload 1 change?".
QString uploadQuestion(std::size_t changes);

}  // namespace quelvar
