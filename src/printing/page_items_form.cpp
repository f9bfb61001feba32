#include "printing/page_items_form.h"

#include "printing/print_items.h"
#include "script/name_table.h"
#include "ui/context_help.h"
#include "ui/dialog_button.h"
#include "ui/event_form_parts.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/string_grid.h"
#include "ui/tab_stop_list.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace quelvar {

namespace {

QTableWidgetItem* entryNumberCell(int entry, const QPalette& palette)
{
    auto* cell = new QTableWidgetItem(QString::number(entry));
    cell->setFlags(Qt::NoItemFlags);  // fixed: never current, never edited
    cell->setBackground(palette.button());
    cell->setForeground(palette.buttonText());
    return cell;
}

std::string entryPath(int page, int entry, const char* key)
{
    return "page." + std::to_string(page) + ".entry." + std::to_string(entry) + "." + key;
}

}  // namespace

TCfgPageItemsForm::TCfgPageItemsForm(SetupImage& image, Services& services, int page,
                                     QWidget* owner)
    : QDialog(owner), m_services(services), m_page(page), m_fields(image, services)
{
    setWindowTitle(QString("Page %1 Format").arg(page));
    buildLayout();
    PageFormatLable->setText(QString("&Page %1 Format").arg(page));
    addFields();
    for (const std::string& line : functionListRows(pageItemTable()))
        PageItemsListbox->addItem(fromSetupText(line));

    onRowChosen(PageItemsListbox, [this] { PageItemsListboxDblClick(); });
    connect(OKButton, &QPushButton::clicked, this, &TCfgPageItemsForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgPageItemsForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgPageItemsForm::HelpButtonClick);
    setHelpTopic(this, "CfgPage");
    installContextHelp(this, m_services);
}

void TCfgPageItemsForm::buildLayout()
{
    PageFormatLable = new QLabel;
    PageFormatLable->setObjectName("PageFormatLable");
    QFont bold = PageFormatLable->font();
    bold.setBold(true);
    PageFormatLable->setFont(bold);

    PFGrid = new StringGrid(kPageEntryCount, 4);
    PFGrid->setObjectName("PFGrid");
    PFGrid->setHorizontalHeaderLabels({"Item", "Description", "Row", "Column"});
    PFGrid->verticalHeader()->hide();
    PFGrid->verticalHeader()->setDefaultSectionSize(PFGrid->fontMetrics().height() + 6);
    // The grid's own widths (at 96 dpi), widened where a heading needs more.
    const double scale = logicalDpiX() / 96.0;
    const int widths[] = {24, 96, 40, 40};
    const QFontMetrics heading(PFGrid->horizontalHeader()->font());
    int gridWidth = 2 * PFGrid->frameWidth();
    for (int c = 0; c < 4; ++c) {
        const int needed = heading.horizontalAdvance(PFGrid->horizontalHeaderItem(c)->text()) +
                           heading.averageCharWidth() * 2;
        PFGrid->setColumnWidth(c, std::max(static_cast<int>(widths[c] * scale), needed));
        gridWidth += PFGrid->columnWidth(c);
    }
    PFGrid->horizontalHeader()->setStretchLastSection(true);
    PFGrid->setColumnMaxLength(kItemColumn, kNameLength);
    PFGrid->setColumnMaxLength(kRowColumn, 3);
    PFGrid->setColumnMaxLength(kColumnColumn, 3);
    PFGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PFGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PFGrid->setFixedSize(gridWidth, PFGrid->horizontalHeader()->sizeHint().height() +
                                        kPageEntryCount * PFGrid->rowHeight(0) +
                                        2 * PFGrid->frameWidth());

    auto* listHeading = new QLabel("Print &Item List");
    listHeading->setFont(bold);
    PageItemsListbox = new TabStopListBox;
    PageItemsListbox->setObjectName("PageItemsListbox");
    PageItemsListbox->setTabStops({48});
    PageItemsListbox->setMinimumWidth(PageItemsListbox->fontMetrics().averageCharWidth() * 42);
    listHeading->setBuddy(PageItemsListbox);
    PageFormatLable->setBuddy(PFGrid);

    OKButton = dialogButton("OKButton", kOkCaption);
    OKButton->setDefault(true);
    CancelButton = dialogButton("CancelButton", kCancelCaption);
    HelpButton = dialogButton("HelpButton", kHelpCaption);

    auto* body = new QGridLayout;
    body->addWidget(PageFormatLable, 0, 0);
    body->addWidget(listHeading, 0, 1);
    body->addWidget(PFGrid, 1, 0);
    body->addWidget(PageItemsListbox, 1, 1);
    body->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {OKButton, CancelButton, HelpButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    setTabOrder(PFGrid, PageItemsListbox);
    setTabOrder(PageItemsListbox, OKButton);
    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, HelpButton);
}

void TCfgPageItemsForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

// Each entry's row, column and item, in this order: the item is checked only on a
// row that is not 0. A refused cell becomes the current one, open for typing.
void TCfgPageItemsForm::addFields()
{
    for (int entry = 1; entry <= kPageEntryCount; ++entry) {
        const int row = entry - 1;
        PFGrid->setItem(row, kEntryColumn, entryNumberCell(entry, palette()));
        for (int column : {kItemColumn, kRowColumn, kColumnColumn})
            PFGrid->setItem(row, column, new QTableWidgetItem);
        m_fields.add(cellField(entry, kRowColumn, QString("Entry %1 Row").arg(entry)));
        m_fields.add(cellField(entry, kColumnColumn, QString("Entry %1 Column").arg(entry)));
        m_fields.add(cellField(entry, kItemColumn, QString("Entry %1").arg(entry)));
    }
}

DialogField TCfgPageItemsForm::cellField(int entry, Column column, const QString& caption)
{
    const char* keys[] = {"", "item", "row", "column"};
    const int row = entry - 1;
    const text::Field& field = setupField(entryPath(m_page, entry, keys[column]));
    QTableWidgetItem* cell = PFGrid->item(row, column);
    return {caption,
            {PFGrid},
            nullptr,
            field,
            [cell](const std::optional<text::Value>& value) { cell->setText(shownText(value)); },
            [cell, kind = field.kind] { return readText(cell->text(), kind); },
            [this, row, column] { focusCell(row, column); }};
}

void TCfgPageItemsForm::focusCell(int row, int column)
{
    PFGrid->setFocus();
    PFGrid->setCurrentCell(row, column);
    PFGrid->edit(PFGrid->currentIndex());
}

void TCfgPageItemsForm::FormShow()
{
    m_fields.load();
    PFGrid->setCurrentCell(0, kItemColumn);
}

void TCfgPageItemsForm::PageItemsListboxDblClick()
{
    const int pick = PageItemsListbox->currentRow();
    const int row = PFGrid->currentRow();
    if (pick < 0 || row < 0) return;
    PFGrid->item(row, kItemColumn)->setText(fromSetupText(std::string(pageItemTable().name(pick))));
    PFGrid->setFocus();
}

void TCfgPageItemsForm::OKButtonClick()
{
    PFGrid->commitOpenEditor();
    if (m_fields.store()) accept();
}

void TCfgPageItemsForm::CancelButtonClick()
{
    reject();
}

void TCfgPageItemsForm::HelpButtonClick()
{
    m_services.showHelp("CfgPage");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgPageItemsForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgPageItemsForm(c.setup.image, c.services, 2, c.owner);
})
