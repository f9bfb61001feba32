#pragma once
// The scale dialog: load cell, count-by, capacity, overload and units (primary and
// alternate), conversion factor, filtering, zero tracking, motion detection and
// power-on zero; the calibration factors are shown read-only.

#include "editors/scale_params.h"
#include "model/setup.h"
#include "ui/field_kit.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quelvar {

class Services;

class TCfgScaleForm : public QDialog {
    Q_OBJECT
public:
    TCfgScaleForm(SetupImage& image, Services& services, QWidget* owner = nullptr);

    QComboBox* loadcellComboBox;
    QLineEdit* countbyEditBox;
    QLineEdit* fullscaleEditBox;
    QLineEdit* overloadEditBox;
    QComboBox* unitsComboBox;
    QLineEdit* altCountbyEditBox;
    QComboBox* altUnitsComboBox;
    QLineEdit* altConvFactEditBox;
    QLineEdit* filterEditBox;
    QLineEdit* displayUpdateEditBox;
    QLineEdit* autoZeroEditBox;
    QLineEdit* ZTBEditBox;
    QLineEdit* ZTDEditBox;
    QLineEdit* MDBEditBox;
    QLineEdit* MDTEditBox;
    QRadioButton* MBYes;
    QRadioButton* MBNo;
    QRadioButton* POZyes;
    QRadioButton* POZno;
    QLabel* spanLabel;
    QLabel* offLabel1;
    QLabel* offLabel2;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

public slots:
    void done(int result) override;

private:
    // A count-by box and the last text its check accepted (the text an undo restores).
    struct CountByBox {
        QLineEdit* box;
        CountByField field;
        QString accepted;
    };

    void buildLayout();
    void addFields(QFormLayout* scale, QFormLayout* behaviour);
    void behaviourRow(QFormLayout* rows, QRadioButton* yes, QRadioButton* no, const char* caption,
                      const char* path);
    void connectHandlers();
    void showFactors();

    bool checkCountBy(CountByBox& countBy);
    void countByBoxExit(CountByBox& countBy);

    void okButtonClick();
    void cancelButtonClick();
    void countbyEditBoxExit();
    void altCountbyEditBoxExit();
    void helpButtonClick();

    SetupImage& m_image;
    Services& m_services;
    FieldKit m_fields;
    CountByBox m_countBy;
    CountByBox m_altCountBy;
    bool m_checking = false;
    bool m_closing = false;
};

}  // namespace quelvar
