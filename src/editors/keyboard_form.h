#pragma once
// The keyboard and power-on dialog: the function run at power-on and by each of
// the seven programmable keys.

#include "editors/event_records.h"
#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>
#include <array>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;
class TabStopListBox;

class TCfgKeyboardForm : public QDialog {
    Q_OBJECT
public:
    TCfgKeyboardForm(SetupImage& image, Services& services, QWidget* owner = nullptr);
    ~TCfgKeyboardForm() override;

    QLineEdit* targetBox() const { return m_target; }

    QLineEdit* PoweronEditBox;
    QLineEdit* PrintkeyEditBox;
    QLineEdit* UnitskeyEditBox;
    QLineEdit* GrossNetkeyEditBox;
    QLineEdit* TarekeyEditBox;
    QLineEdit* ZerokeyEditBox;
    QLineEdit* F1keyEditBox;
    QLineEdit* F2keyEditBox;
    TabStopListBox* FuncListBox;
    QPushButton* OKButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

private:
    // The boxes in the order of keyEvents().
    std::array<QLineEdit*, kKeyEventCount> boxes() const;
    void buildLayout();
    QGridLayout* addFields();
    void connectHandlers();

    void OKButtonClick();
    void cancelButtonClick();
    void helpButtonClick();

    Services& m_services;
    FieldKit m_fields;
    QLineEdit* m_target = nullptr;
};

}  // namespace quelvar
