#pragma once
// The fixed registers dialog: the values of the constants 43 to 50.

#include "editors/fixed_registers.h"
#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;

class TCfgFixedSetpointsForm : public QDialog {
    Q_OBJECT
public:
    TCfgFixedSetpointsForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    // Reg43EditBox .. Reg50EditBox.
    std::array<QLineEdit*, kLastFixedRegister - kFirstFixedRegister + 1> RegEditBoxes;
    QPushButton* OKButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

private:
    void buildLayout();

    void OKButtonClick();
    void cancelButtonClick();
    void helpButtonClick();

    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
