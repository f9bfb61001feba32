#pragma once
// The analog output dialog: the register the output follows, its offset and span.

#include "model/setup.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quelvar {

class Services;
class TabStopListBox;

class TCfgAoutForm : public QDialog {
    Q_OBJECT
public:
    TCfgAoutForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    QLineEdit* RegisterEditBox;
    QLineEdit* OffsetEditBox;
    QLineEdit* SpanEditBox;
    TabStopListBox* RegisterListbox;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

private:
    void buildLayout();
    void connectHandlers();
    void storeFields();

    void OKButtonClick();
    void CancelButtonClick();
    void RegisterListboxDblClick();
    void HelpButtonClick();

    bool eventFilter(QObject* watched, QEvent* event) override;

    SetupImage& m_image;
    Services& m_services;
};

}  // namespace quelvar
