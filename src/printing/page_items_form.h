#pragma once
// The page items dialog: the 16 entries of one page format in a grid (item name,
// row, column), the page item table as a pick list, and OK, which checks the names
// and writes the page format back into the setup image.

#include "model/setup.h"
#include "printing/page_format.h"
#include "ui/field_kit.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace quelvar {

class Services;
class StringGrid;
class TabStopListBox;

class TCfgPageItemsForm : public QDialog {
    Q_OBJECT
public:
    // The grid's columns: the entry number (fixed), the item name, row and column.
    enum Column { kEntryColumn, kItemColumn, kRowColumn, kColumnColumn };

    TCfgPageItemsForm(SetupImage& image, Services& services, int page, QWidget* owner = nullptr);

    QLabel* PageFormatLable;
    StringGrid* PFGrid;
    TabStopListBox* PageItemsListbox;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void addFields();
    DialogField cellField(int entry, Column column, const QString& caption);
    void focusCell(int row, int column);
    void FormShow();
    void PageItemsListboxDblClick();
    void OKButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

    Services& m_services;
    int m_page;
    FieldKit m_fields;
};

}  // namespace quelvar
