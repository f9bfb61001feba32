#pragma once
// The passwords dialog: the indicator's two numeric menu passwords.

#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>

class QFormLayout;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;

class TCfgPasswordsForm : public QDialog {
    Q_OBJECT
public:
    TCfgPasswordsForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    QLineEdit* Pass1Edit;
    QLineEdit* Pass2Edit;
    QPushButton* OkButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

private:
    void buildLayout();
    QLineEdit* passwordBox(QFormLayout* rows, const char* name, int password);

    bool Pass1EditKeyPress(const QKeyEvent& key);
    bool Pass2EditKeyPress(const QKeyEvent& key);
    void OkButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    bool eventFilter(QObject* watched, QEvent* event) override;

    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
