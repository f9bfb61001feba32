#pragma once
// The indicator's own ports: line settings of its two serial ports, the second
// port's continuous output, the printer port and the four printer control codes.

#include "model/setup.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quelvar {

class Services;

class TCfgPortsForm : public QDialog {
    Q_OBJECT
public:
    TCfgPortsForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    QComboBox* DB1ComboBox;
    QComboBox* P1ComboBox;
    QComboBox* BR1ComboBox;
    QComboBox* DB2ComboBox;
    QComboBox* P2ComboBox;
    QComboBox* BR2ComboBox;
    QLineEdit* StationEditBox;
    QComboBox* TXFComboBox;
    QComboBox* PrinterSelectComboBox;
    QRadioButton* AutoLFyes;
    QRadioButton* AutoLFno;
    QLineEdit* EOPEditBox;
    // PCEditBoxes[n][i]: box i+1 of print code n+1 (PC11EditBox ... PC43EditBox).
    std::array<std::array<QLineEdit*, 3>, 4> PCEditBoxes;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

private:
    // One indicator port's three lists and its two bytes.
    struct PortLists {
        QComboBox* dataBits;
        QComboBox* parity;
        QComboBox* baud;
        std::size_t modeOffset;
    };

    void buildLayout();
    void loadFields();
    void storeFields();
    std::array<PortLists, 2> ports() const;

    void OKButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
};

}  // namespace quelvar
