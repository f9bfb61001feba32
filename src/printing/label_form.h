#pragma once
// The print labels dialog: the ten labels as edit text with bracketed fields, each
// with a live count of the bytes it takes, and a reference list of the names that
// may be typed (register abbreviations or label print items).

#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;
class TabStopListBox;

class TCfgLabelForm : public QDialog {
    Q_OBJECT
public:
    TCfgLabelForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    // L32EditBox .. L90EditBox and their byte counts, in the order of printLabels().
    std::array<QLineEdit*, 10> LabelEditBoxes;
    std::array<QLabel*, 10> LengthLabels;
    TabStopListBox* ListBox1;
    QPushButton* RegisterButton;
    QPushButton* PrintItemButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

private:
    void buildLayout();
    QLabel* addField(std::size_t index);
    void showLength(std::size_t index);
    void RegisterButtonClick();
    void PrintItemButtonClick();
    void okButtonClick();
    void cancelButtonClick();
    void helpButtonClick();

    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
