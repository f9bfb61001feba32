#pragma once
// The analog output dialog: the register the output follows, its offset and span.

#include "model/setup.h"
#include "ui/field_kit.h"

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
    ~TCfgAoutForm() override;

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

    void OKButtonClick();
    void CancelButtonClick();
    void RegisterListboxDblClick();
    void HelpButtonClick();

    Services& m_services;
    FieldKit m_fields;
};

}  // namespace quelvar
