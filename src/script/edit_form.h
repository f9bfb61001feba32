#pragma once
// The function editor: the listing of one user function, edited line by line
// through five boxes and compiled into the function's slot.

#include "model/setup.h"
#include "script/listing_edit.h"

#include <QDialog>
#include <array>

class QCompleter;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;
class TabStopListBox;

class TCfgTSeditForm : public QDialog {
    Q_OBJECT
public:
    TCfgTSeditForm(Setup& setup, Services& services, int functionNumber, QWidget* owner = nullptr);

    int functionNumber() const { return m_functionNumber; }
    std::size_t currentLine() const { return m_listing.current(); }
    // Cancel, Esc and the window's close.
    void reject() override;

    QLineEdit* InstrEdit;
    QLineEdit* Op1Edit;
    QLineEdit* Op2Edit;
    QLineEdit* Op3Edit;
    QLineEdit* CommentEdit;
    QLabel* PatternLabel;  // the operand pattern of the instruction typed
    TabStopListBox* ListingListBox;
    QPushButton* InsertButton;
    QPushButton* DeleteButton;
    QPushButton* CompileButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

private:
    void buildLayout();
    void connectHandlers();
    std::array<QLineEdit*, 5> boxes() const;

    void ShowLine();
    void StoreLine();
    void storePendingEdit();
    void syncRows();
    void reportFailure(const CompileResult& result);
    void instructionChanged();

    bool EditKeyPress(QLineEdit* box, const QKeyEvent& key);
    void ListingListBoxClick();
    void InsertButtonClick();
    void DeleteButtonClick();
    void CompileButtonClick();
    void OkButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    bool eventFilter(QObject* watched, QEvent* event) override;

    Setup& m_setup;
    Services& m_services;
    const int m_functionNumber;
    ListingEdit m_listing;
    std::vector<std::string> m_compiledLines;  // as loaded or last compiled without error
    std::array<QCompleter*, 3> m_operandCompleters{};
};

}  // namespace quelvar
