#pragma once
// The miscellaneous dialog: the indicator's feature switches, display intensity,
// and the way to the analog output dialog.

#include "model/setup.h"

#include <QDialog>
#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

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
    QWidget* switchBox(std::size_t index);
    void storeFields();

    void OKButtonClick();
    void CancelButtonClick();
    void CfgAOClick();
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    // One pair per feature switch, "on" first, in the order of featureSwitches().
    std::vector<std::pair<QRadioButton*, QRadioButton*>> m_switchButtons;
};

}  // namespace quelvar
