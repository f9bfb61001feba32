#include "printing/page_items_form.h"

#include "printing/print_items.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/dialog_button.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/string_grid.h"
#include "ui/tab_stop_list.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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

}  // namespace

TCfgPageItemsForm::TCfgPageItemsForm(SetupImage& image, Services& services, int page,
                                     QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services), m_page(page)
{
    const QString caption = QString("Page %1 Format").arg(page);
    setWindowTitle(caption);
    buildLayout();
    PageFormatLable->setText(caption);

    PageItemsListbox->installEventFilter(this);
    connect(PageItemsListbox, &QListWidget::itemDoubleClicked, this,
            [this] { PageItemsListboxDblClick(); });
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
    PFGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PFGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PFGrid->setFixedSize(gridWidth, PFGrid->horizontalHeader()->sizeHint().height() +
                                        kPageEntryCount * PFGrid->rowHeight(0) +
                                        2 * PFGrid->frameWidth());

    auto* listHeading = new QLabel("Print Item List");
    listHeading->setFont(bold);
    PageItemsListbox = new TabStopListBox;
    PageItemsListbox->setObjectName("PageItemsListbox");
    PageItemsListbox->setTabStops({48});
    PageItemsListbox->setMinimumWidth(PageItemsListbox->fontMetrics().averageCharWidth() * 42);
    listHeading->setBuddy(PageItemsListbox);

    OKButton = dialogButton("OKButton", "OK");
    OKButton->setDefault(true);
    OKButton->setShortcut(QKeySequence("Alt+O"));
    CancelButton = dialogButton("CancelButton", "Cancel");
    HelpButton = dialogButton("HelpButton", "Help");

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

void TCfgPageItemsForm::FormShow()
{
    m_working = readPageFormat(m_image, m_page);
    for (int entry = 1; entry <= kPageEntryCount; ++entry) {
        const PageEntry e = pageEntry(m_working, entry);
        const int row = entry - 1;
        PFGrid->setItem(row, kEntryColumn, entryNumberCell(entry, palette()));
        PFGrid->setItem(row, kItemColumn,
                        new QTableWidgetItem(fromSetupText(std::string(pageItemName(e.item)))));
        PFGrid->setItem(row, kRowColumn, new QTableWidgetItem(QString::number(e.row)));
        PFGrid->setItem(row, kColumnColumn, new QTableWidgetItem(QString::number(e.column)));
    }
    PFGrid->setCurrentCell(0, kItemColumn);
    PageItemsListbox->clear();
    for (const std::string& line : functionListRows(pageItemTable()))
        PageItemsListbox->addItem(fromSetupText(line));
}

// Enter in the pick list picks, as a double-click does.
bool TCfgPageItemsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PageItemsListbox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            PageItemsListboxDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCfgPageItemsForm::PageItemsListboxDblClick()
{
    const int pick = PageItemsListbox->currentRow();
    const int row = PFGrid->currentRow();
    if (pick < 0 || row < 0) return;
    PFGrid->item(row, kItemColumn)->setText(fromSetupText(std::string(pageItemTable().name(pick))));
    PFGrid->setFocus();
}

// Entries before a faulty one have already changed the working copy; the setup
// image changes only when all sixteen are sound.
bool TCfgPageItemsForm::storeEntries()
{
    for (int entry = 1; entry <= kPageEntryCount; ++entry) {
        const int row = entry - 1;
        const std::int32_t rowValue = toInt(PFGrid->cellText(row, kRowColumn));
        const std::int32_t column = toInt(PFGrid->cellText(row, kColumnColumn));
        const std::string item = toSetupText(PFGrid->cellText(row, kItemColumn));
        if (!storePageEntry(m_working, entry, rowValue, column, item)) {
            PFGrid->setCurrentCell(row, kItemColumn);
            PFGrid->setFocus();
            m_services.message(fromSetupText(pageItemNotValidMessage(item)));
            return false;
        }
    }
    return true;
}

void TCfgPageItemsForm::OKButtonClick()
{
    PFGrid->commitOpenEditor();
    bool stored = false;
    if (runGuarded(m_services, [this, &stored] { stored = storeEntries(); }) && stored) {
        writePageFormat(m_image, m_page, m_working);
        accept();
    }
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
