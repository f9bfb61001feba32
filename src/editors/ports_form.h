#pragma once
// The indicator's own ports: line settings of its two serial ports, the second
// port's continuous output, the printer port and the four printer control codes.

#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
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
    void buildLayout();
    QLayout* portsRow(QList<QWidget*>& order);
    QGroupBox* printerGroup(QList<QWidget*>& order);
    QLabel* addMode(QComboBox* dataBits, QComboBox* parity, const QString& caption, int port);
    QLabel* addPrintCode(int code);

    void OKButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
