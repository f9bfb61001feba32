#pragma once
// The port settings dialog "Configure Com Port": five radio groups choose the port
// and its line settings; OK applies what changed to the program's one ComPort at
// once. It also opens the control block view and the communications test.
//
// The dialog keeps the settings the port had when the dialog was last refreshed
// (shown, or back from the control block view or the test) and the chosen ones.
// Showing a value the lists do not hold (14400 baud shows "1200 baud") is not
// choosing it: only a click changes the chosen settings.
//
// Under the groups, the serial devices present (listed afresh on every refresh and
// by Refresh) and the devices the settings file maps: choosing one maps the chosen
// port number to it, by its by-id name when it has one.

#include "serial/port_settings.h"
#include "serial/serial_devices.h"

#include <QDialog>
#include <array>

class QLabel;
class QLayout;
class QListWidget;
class QPushButton;

namespace quelvar {

class RadioGroup;
class Services;

class TComConfigureForm : public QDialog {
    Q_OBJECT
public:
    TComConfigureForm(ComPort& port, Services& services, QWidget* owner = nullptr);

    const PortSettings& chosenSettings() const { return m_chosen; }
    // Where the devices are looked for: "/", or a folder laid out like /sys and /dev.
    void setDeviceRoot(std::string root) { m_deviceRoot = std::move(root); }

    RadioGroup* RGcomPort;
    RadioGroup* baudGroup;
    RadioGroup* parityGroup;
    RadioGroup* databitsGroup;
    RadioGroup* stopbitsGroup;
    QLabel* deviceLabel;  // the device the chosen port number maps to
    QListWidget* deviceList;
    QPushButton* RefreshButton;
    QPushButton* ComTestButton;
    QPushButton* DispDCBButton;
    QPushButton* ConfigureOKButton;
    QPushButton* ConfigureCancelButton;
    QPushButton* HelpButton;

public slots:
    void ConfigureOKButtonClick();
    void ConfigureCancelButtonClick();
    void DispDCBButtonClick();
    void ComTestButtonClick();
    void HelpButtonClick();
    void RefreshButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QLayout* buildDeviceList();
    void connectHandlers();
    void FormActivate();
    void groupClick(SettingGroup group, int index);
    void showDevice();
    void listDevices();
    void selectMappedDevice();
    void deviceChosen(int row);
    bool choicesChanged() const;
    void applyChosen();

    ComPort& m_port;
    Services& m_services;
    PortSettings m_start;
    PortSettings m_chosen;
    DeviceMap m_chosenDevices;
    std::vector<SerialDevice> m_rows;  // the list's rows: present, then mapped only
    std::string m_deviceRoot = "/";
    std::array<RadioGroup*, std::size(kSettingGroups)> m_groups{};
};

}  // namespace quelvar
