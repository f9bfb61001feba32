#pragma once
// The "Device Control Block" view: the port's line settings as the driver holds
// them, one row a field.

#include "serial/serial_driver.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace quelvar {

class Services;

class TDCBform : public QDialog {
    Q_OBJECT
public:
    TDCBform(const ControlBlock& block, Services& services, QWidget* owner = nullptr);

    QTableWidget* DCBgrid;
    QPushButton* dcbOK;
    QPushButton* HelpButton;

public slots:
    void dcbOKClick();
    void HelpButtonClick();

private:
    void fillGrid(const ControlBlock& block);

    Services& m_services;
};

}  // namespace quelvar
