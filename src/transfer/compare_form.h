#pragma once
// The compare window: the settings in which this setup and another (a file, or the
// indicator's setup) differ, as the table quelvar-cli diff prints as lines. Copy puts
// those lines on the clipboard, Save writes them to a text file.
//
//     TCompareForm form(text::diffSetups(mine, theirs), "line1.sf", services, owner);
//     form.exec();

#include "text/setup_text.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;

namespace quelvar {

class DiffTable;
class Services;

class TCompareForm : public QDialog {
    Q_OBJECT
public:
    // `otherName` names the other setup: its file, or "The indicator".
    TCompareForm(std::vector<text::DiffRow> rows, const QString& otherName, Services& services,
                 QWidget* owner = nullptr);

    // The differences as lines of text, as quelvar-cli diff prints them.
    QString differencesText() const;

public slots:
    void CopyButtonClick();
    void SaveButtonClick();

private:
    std::vector<text::DiffRow> m_rows;
    Services& m_services;

    QLabel* HeadingText;
    DiffTable* DifferencesTable;
    QPushButton* CopyButton;
    QPushButton* SaveButton;
    QPushButton* CloseButton;
    QPushButton* HelpButton;
};

}  // namespace quelvar
