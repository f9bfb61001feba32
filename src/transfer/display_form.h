#pragma once
// The configuration data display: the setup in memory as plain text in one
// read-only box, in three views (parameter list, EAROM dump, Tally Script list);
// Full List opens the setup report's preview over it.
//
//     TDisplayForm display(document, services, this);
//     display.exec();

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quelvar {

class Services;
class SetupDocument;

class TDisplayForm : public QDialog {
    Q_OBJECT
public:
    TDisplayForm(SetupDocument& document, Services& services, QWidget* owner = nullptr);

    QPushButton* FLButton;
    QPushButton* PLButton;
    QPushButton* TSButton;
    QPushButton* EDButton;
    QPushButton* ExitButton;
    QPlainTextEdit* TextBox;

    void FLButtonClick();
    void PLButtonClick();
    void TSButtonClick();
    void EDButtonClick();
    void ExitButtonClick();

private:
    void buildLayout();
    void showText(const QString& text);

    SetupDocument& m_document;
    Services& m_services;
};

}  // namespace quelvar
