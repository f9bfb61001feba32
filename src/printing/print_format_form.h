#pragma once
// The page print format dialog: picks one of the four page formats and opens the
// page items dialog on it. It stores nothing itself.

#include "model/setup.h"

#include <QDialog>
#include <array>

class QPushButton;

namespace quelvar {

class Services;

class TPrintFormatForm : public QDialog {
    Q_OBJECT
public:
    TPrintFormatForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    std::array<QPushButton*, 4> FPButtons;  // FP1Button .. FP4Button
    QPushButton* CloseButton;
    QPushButton* HelpButton;

private:
    void FPButtonClick(int page);
    void HelpButtonClick();

    SetupImage& m_image;
    Services& m_services;
};

}  // namespace quelvar
