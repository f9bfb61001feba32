#pragma once
// The About box: program icon, product name and version, OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quelvar {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);

private:
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* OKButton;
};

}  // namespace quelvar
