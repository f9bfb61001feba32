#include "printing/label_form.h"

#include "model/utf8_text.h"
#include "printing/label_codec.h"
#include "printing/print_items.h"
#include "script/name_tables.h"
#include "ui/context_help.h"
#include "ui/dialog_button.h"
#include "ui/form_parts.h"
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

// Alt and the label's last digit; Label 84 shares its digit with Label 34.
QString labelCaption(int number)
{
    if (number == 84) return "&Label 84";
    return QString("Label %1&%2").arg(number / 10).arg(number % 10);
}

}  // namespace

TCfgLabelForm::TCfgLabelForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_services(services), m_fields(image, services)
{
    setWindowTitle("Configure Print Labels");
    buildLayout();
    RegisterButtonClick();
    m_fields.load();
    for (std::size_t i = 0; i < printLabels().size(); ++i) {
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
        auto* length = new QLabel;
        length->setObjectName(QString("L%1LengthLabel").arg(number));
        length->setMinimumWidth(metrics.horizontalAdvance("000/30 "));
        LabelEditBoxes[i] = box;
        LengthLabels[i] = length;
        const int row = static_cast<int>(i);
        labels->addWidget(addField(i), row, 0);
        labels->addWidget(box, row, 1);
        labels->addWidget(length, row, 2);
    }

    RegisterButton = dialogButton("RegisterButton", "&Register");
    PrintItemButton = dialogButton("PrintItemButton", "&Print Item");
    ListBox1 = new TabStopListBox;
    ListBox1->setObjectName("ListBox1");
    ListBox1->setTabStops({32});
    ListBox1->setMinimumWidth(metrics.averageCharWidth() * 32);
    okButton = dialogButton("okButton", kOkCaption);
    okButton->setDefault(true);
    cancelButton = dialogButton("cancelButton", kCancelCaption);
    helpButton = dialogButton("helpButton", kHelpCaption);

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

// A label takes what it is typed, as long as it is: OK refuses one that does not
// fit or holds a character the indicator cannot store, with that part selected.
QLabel* TCfgLabelForm::addField(std::size_t index)
{
    const PrintLabel& label = printLabels()[index];
    QLineEdit* box = LabelEditBoxes[index];
    DialogField& field =
        m_fields.add(box, labelCaption(label.number),
                     "labels.label_" + std::to_string(label.number));
    field.messageNamesIt = true;
    field.read = [box, &label]() -> Reading {
        Latin1Text typed = utf8ToLatin1(box->text().toStdString());
        if (!typed.ok())
            return {{}, QString::fromStdString(labelCharacterMessage(label, typed.refused))};
        return {std::move(typed.text)};
    };
    // The character the indicator cannot store, else what does not fit, selected.
    field.focus = [box, &label] {
        const Latin1Text typed = utf8ToLatin1(box->text().toStdString());
        const auto from = static_cast<int>(
            typed.ok() ? fittingLabelText(typed.text, label.maxLength) : typed.text.size());
        const auto length = typed.ok() ? box->text().size() - from
                                       : QString::fromStdString(typed.refused).size();
        box->setFocus();
        box->setSelection(from, static_cast<int>(length));
    };
    return field.label;
}

// The count shows before OK what OK will refuse: it turns red past the maximum.
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

void TCfgLabelForm::okButtonClick()
{
    if (m_fields.store()) accept();
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
