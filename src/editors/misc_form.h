#pragma once
// The miscellaneous dialog: the indicator's feature switches, display intensity,
// and the way to the analog output dialog.

#include "model/setup.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;

namespace quelvar {

class RadioGroup;
class Services;
struct FeatureSwitch;

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
    RadioGroup* switchGroup(const FeatureSwitch& feature);
    void storeFields();

    void OKButtonClick();
    void CancelButtonClick();
    void CfgAOClick();
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    // One per feature switch, in the order of featureSwitches(); item 0 is "on".
    std::vector<RadioGroup*> m_switchGroups;
};

}  // namespace quelvar
