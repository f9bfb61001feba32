#pragma once
// The miscellaneous dialog: the indicator's feature switches, display intensity,
// and the way to the analog output dialog.

#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;

class TMiscForm : public QDialog {
    Q_OBJECT
public:
    TMiscForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    QLineEdit* DispIntensityEditBox;
    QPushButton* CfgAO;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

private:
    void buildLayout();

    void OKButtonClick();
    void CancelButtonClick();
    void CfgAOClick();
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
