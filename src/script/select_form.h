#pragma once
// The function selection dialog: picks a user function by number or name, edits
// its free-text description and opens the function editor.

#include "model/setup.h"
#include "ui/latin1_text.h"

#include <QDialog>

class QKeyEvent;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quelvar {

class Services;

class TCfgTSselectForm : public QDialog {
    Q_OBJECT
public:
    TCfgTSselectForm(Setup& setup, Services& services, QWidget* owner = nullptr);

    int functionNumber() const { return m_functionNumber; }

    QLineEdit* FNoEdit;
    QLineEdit* FNameEdit;
    QListWidget* FNameList;
    QPlainTextEdit* DescriptionMemo;
    QPushButton* EditButton;
    QPushButton* CloseButton;
    QPushButton* HelpButton;

public slots:
    void done(int result) override;

private:
    void buildLayout();
    void connectHandlers();

    void ShowFunction();
    void SaveDescription();
    bool storePendingEdit();
    void openEditor();

    bool FNoEditKeyPress(const QKeyEvent& key);
    bool FNoEditExit();
    void FNameListClick();
    void FNameListDblClick();
    void DescriptionMemoExit();
    void EditButtonClick();
    void CloseButtonClick();
    void HelpButtonClick();

    bool eventFilter(QObject* watched, QEvent* event) override;

    Setup& m_setup;
    Services& m_services;
    int m_functionNumber = 1;
    bool m_leavingNumber = false;
    MemoText m_descriptionText;  // the function's description as the memo shows it
};

}  // namespace quelvar
