#include "printing/label_form.h"

#include "model/utf8_text.h"
#include "printing/label_codec.h"
#include "printing/print_items.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/dialog_button.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/tab_stop_list.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {

void fillList(TabStopListBox* list, const NameTable& table)
{
    list->clear();
    for (const std::string& row : nameListRows(table))
        list->addItem(fromSetupText(row));
}

}  // namespace

TCfgLabelForm::TCfgLabelForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Configure Print Labels");
    buildLayout();
    RegisterButtonClick();
    for (std::size_t i = 0; i < printLabels().size(); ++i) {
        LabelEditBoxes[i]->setText(fromSetupText(readLabel(m_image, printLabels()[i])));
        showLength(i);
        connect(LabelEditBoxes[i], &QLineEdit::textChanged, this, [this, i] { showLength(i); });
    }
    connect(RegisterButton, &QPushButton::clicked, this, &TCfgLabelForm::RegisterButtonClick);
    connect(PrintItemButton, &QPushButton::clicked, this, &TCfgLabelForm::PrintItemButtonClick);
    connect(okButton, &QPushButton::clicked, this, &TCfgLabelForm::okButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgLabelForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgLabelForm::helpButtonClick);
    setHelpTopic(this, "CfgLabels");
    installContextHelp(this, m_services);
}

void TCfgLabelForm::buildLayout()
{
    auto* instructions = new QVBoxLayout;
    for (const char* line :
         {"Embed ASCII codes using <nnn> or [nnn] where nnn is 0...255.",
          "Embed Register data using <Xxx> or [Xxx].   Xxx is the register",
          "abbreviation and < > uses minimum field size and [ ] uses 7 char field size.",
          "Embed Print Item fields using { }"})
        instructions->addWidget(new QLabel(line));

    const QFontMetrics metrics = fontMetrics();
    auto* labels = new QGridLayout;
    for (std::size_t i = 0; i < printLabels().size(); ++i) {
        const int number = printLabels()[i].number;
        auto* box = new QLineEdit;
        box->setObjectName(QString("L%1EditBox").arg(number));
        box->setMinimumWidth(metrics.averageCharWidth() * 34);
        auto* caption = new QLabel(QString("Label %1").arg(number));
        caption->setBuddy(box);
        auto* length = new QLabel;
        length->setObjectName(QString("L%1LengthLabel").arg(number));
        length->setMinimumWidth(metrics.horizontalAdvance("000/30 "));
        const int row = static_cast<int>(i);
        labels->addWidget(caption, row, 0);
        labels->addWidget(box, row, 1);
        labels->addWidget(length, row, 2);
        LabelEditBoxes[i] = box;
        LengthLabels[i] = length;
    }

    RegisterButton = dialogButton("RegisterButton", "Register");
    PrintItemButton = dialogButton("PrintItemButton", "Print Item");
    ListBox1 = new TabStopListBox;
    ListBox1->setObjectName("ListBox1");
    ListBox1->setTabStops({32});
    ListBox1->setMinimumWidth(metrics.averageCharWidth() * 32);
    okButton = dialogButton("okButton", "OK");
    okButton->setDefault(true);
    cancelButton = dialogButton("cancelButton", "Cancel");
    helpButton = dialogButton("helpButton", "Help");

    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(RegisterButton);
    listButtons->addWidget(PrintItemButton);
    listButtons->addStretch();
    labels->addLayout(listButtons, 0, 3, static_cast<int>(printLabels().size()), 1);
    labels->addWidget(ListBox1, 0, 4, static_cast<int>(printLabels().size()), 1);
    labels->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {okButton, cancelButton, helpButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(instructions);
    layout->addLayout(labels, 1);
    layout->addLayout(buttons);

    std::vector<QWidget*> order(LabelEditBoxes.begin(), LabelEditBoxes.end());
    order.insert(order.end(),
                 {RegisterButton, PrintItemButton, ListBox1, okButton, cancelButton, helpButton});
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

// The count shows before OK what OK will cut: it turns red past the maximum.
void TCfgLabelForm::showLength(std::size_t index)
{
    const PrintLabel& label = printLabels()[index];
    const std::size_t length = encodedLabelLength(toSetupText(LabelEditBoxes[index]->text()));
    QLabel* count = LengthLabels[index];
    count->setText(QString("%1/%2").arg(length).arg(label.maxLength));
    count->setStyleSheet(length > label.maxLength ? "color: red" : "");
}

void TCfgLabelForm::RegisterButtonClick()
{
    fillList(ListBox1, registerAbbreviationTable());
}

void TCfgLabelForm::PrintItemButtonClick()
{
    fillList(ListBox1, labelItemTable());
}

// A character the indicator cannot store is named and its box gets the focus;
// nothing is stored. Else every label is stored, a too-long one cut and reported,
// and the dialog closes.
void TCfgLabelForm::okButtonClick()
{
    std::array<std::string, 10> texts;
    for (std::size_t i = 0; i < printLabels().size(); ++i) {
        Latin1Text typed = utf8ToLatin1(LabelEditBoxes[i]->text().toStdString());
        if (!typed.ok()) {
            m_services.message(
                QString::fromStdString(labelCharacterMessage(printLabels()[i], typed.refused)));
            LabelEditBoxes[i]->setFocus();
            return;
        }
        texts[i] = std::move(typed.text);
    }
    for (std::size_t i = 0; i < printLabels().size(); ++i) {
        const PrintLabel& label = printLabels()[i];
        if (!storeLabel(m_image, label, texts[i]))
            m_services.message(QString::fromStdString(labelTooLongMessage(label)));
    }
    accept();
}

void TCfgLabelForm::cancelButtonClick()
{
    reject();
}

void TCfgLabelForm::helpButtonClick()
{
    m_services.showHelp("CfgLabels");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgLabelForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgLabelForm(c.setup.image, c.services, c.owner);
})
