#pragma once
// The timer dialog: the time and the function of each of the five timers.

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

class TCfgTimersForm : public QDialog {
    Q_OBJECT
public:
    TCfgTimersForm(SetupImage& image, Services& services, QWidget* owner = nullptr);
    ~TCfgTimersForm() override;

    QLineEdit* targetBox() const { return m_target; }

    QLineEdit* Timer1Edit;
    QLineEdit* Timer2Edit;
    QLineEdit* Timer3Edit;
    QLineEdit* Timer4Edit;
    QLineEdit* Timer5Edit;
    QLineEdit* Function1Edit;
    QLineEdit* Function2Edit;
    QLineEdit* Function3Edit;
    QLineEdit* Function4Edit;
    QLineEdit* Function5Edit;
    TabStopListBox* FuncListBox;
    QPushButton* OKButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

private:
    std::array<QLineEdit*, kTimerCount> timeBoxes() const;
    std::array<QLineEdit*, kTimerCount> functionBoxes() const;
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
