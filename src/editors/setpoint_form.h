#pragma once
// The setpoint dialog: the upper register, the lower register (or status
// condition) and the function of the 15 setpoints, one setpoint at a time.

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

class TCfgSetpointForm : public QDialog {
    Q_OBJECT
public:
    // What regListBox holds.
    enum ListMode { NoList = 0, Registers = 1, StatusConditions = 2 };

    TCfgSetpointForm(SetupImage& image, Services& services, QWidget* owner = nullptr);
    ~TCfgSetpointForm() override;

    int currentSetpoint() const { return m_current; }
    QLineEdit* targetBox() const { return m_target; }
    ListMode registerListMode() const { return m_listMode; }

    QLineEdit* SetpointEditBox;
    QPushButton* upButton;
    QPushButton* downButton;
    QLineEdit* UpperEditBox;
    QLineEdit* LowerEditBox;
    QLineEdit* FunctionEditBox;
    TabStopListBox* regListBox;
    TabStopListBox* FuncListBox;
    QPushButton* OKButton;
    QPushButton* helpButton;
    QPushButton* cancelButton;

private:
    void buildLayout();
    QGridLayout* addFields();
    void connectHandlers();
    void fillRegisterList(ListMode mode);
    bool storePendingNumber();

    void ShowSetpoint();
    bool SaveSetpoint();
    void upButtonClick();
    void downButtonClick();
    bool SetpointEditBoxExit();
    void UpperEditBoxEnter();
    void LowerEditBoxEnter();
    void regListBoxDblClick();
    void FuncListBoxDblClick();
    void OKButtonClick();
    void cancelButtonClick();
    void helpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    FieldKit m_fields;
    // Upper, lower and function, bound to the current setpoint's bytes.
    std::array<DialogField*, 3> m_record{};
    int m_current = kFirstSetpoint;
    QLineEdit* m_target = nullptr;
    ListMode m_listMode = NoList;
};

}  // namespace quelvar
