#include "editors/ports_form.h"

#include "editors/port_params.h"
#include "model/decimal_text.h"
#include "ui/context_help.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quelvar {

namespace {

const QStringList kDataBits = fromSetupTexts(dataBitsNames());
const QStringList kParities = fromSetupTexts(parityNames());
const QStringList kBauds = fromSetupTexts(baudRateNames());
const QStringList kTxFormats = fromSetupTexts(txFormatNames());
const QStringList kPrinters = fromSetupTexts(printerNames());

// Data bits, parity and baud rate of each port, with their Alt-letters.
const char* const kPortCaptions[2][3] = {{"&Data Bits", "&Parity", "&Baud Rate"},
                                         {"Data B&its", "P&arity", "Baud &Rate"}};

QComboBox* listBox(const QString& name, const QStringList& texts)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems(texts);
    return box;
}

QLineEdit* numberBox(const QString& name)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance("00000") + 12);
    return box;
}

std::string portPath(int port, const char* what)
{
    return "ports.com_port_" + std::to_string(port) + "_" + what;
}

// Choosing one of two lists that have no choice (a mode outside the table) chooses
// the other's first item, so that the choice is stored.
void chooseWith(QComboBox* list, QComboBox* other)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, other, [other](int index) {
        if (index >= 0 && other->currentIndex() < 0) other->setCurrentIndex(0);
    });
}

// One box of a print code, a byte: a refusal names the box it comes from.
Reading readCodeBox(QLineEdit* box)
{
    const std::string typed = toSetupText(box->text());
    const auto number = parseIntegerText(typed);
    const text::Refusal refusal = number ? text::outOfRange(*number, 0, 255)
                                         : text::Refusal(notANumberMessage(typed, "integer"));
    if (refusal.refused()) return {{}, fromSetupText(refusal.message), box};
    return {std::to_string(*number)};
}

}  // namespace

TCfgPortsForm::TCfgPortsForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services), m_fields(image, services)
{
    setWindowTitle("I/O Port Parameters");
    buildLayout();
    m_fields.load();
    connect(OKButton, &QPushButton::clicked, this, &TCfgPortsForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgPortsForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgPortsForm::HelpButtonClick);
    setHelpTopic(this, "CfgPorts");
    installContextHelp(this, m_services);
}

void TCfgPortsForm::buildLayout()
{
    QList<QWidget*> order;
    QLayout* ports = portsRow(order);
    QGroupBox* printer = printerGroup(order);

    OKButton = formButton("OKButton", kOkCaption);
    CancelButton = formButton("CancelButton", kCancelCaption);
    HelpButton = formButton("HelpButton", kHelpCaption);
    order << OKButton << CancelButton << HelpButton;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ports);
    layout->addWidget(printer);
    layout->addLayout(buttonRow({OKButton, CancelButton, HelpButton}));
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// A list without a choice (a code outside it) leaves its byte as it was.
QLayout* TCfgPortsForm::portsRow(QList<QWidget*>& order)
{
    auto* row = new QHBoxLayout;
    for (int port = 1; port <= 2; ++port) {
        const auto& captions = kPortCaptions[port - 1];
        auto* dataBits = listBox(QString("DB%1ComboBox").arg(port), kDataBits);
        auto* parity = listBox(QString("P%1ComboBox").arg(port), kParities);
        auto* baud = listBox(QString("BR%1ComboBox").arg(port), kBauds);
        auto* group = new QGroupBox(QString("Com Port %1").arg(port));
        auto* rows = new QFormLayout(group);
        rows->addRow(addMode(dataBits, parity, captions[0], port), dataBits);
        rows->addRow(buddyLabel(captions[1], parity), parity);
        rows->addRow(m_fields.add(baud, captions[2], portPath(port, "baud_rate")).label, baud);
        order << dataBits << parity << baud;
        row->addWidget(group);
        (port == 1 ? DB1ComboBox : DB2ComboBox) = dataBits;
        (port == 1 ? P1ComboBox : P2ComboBox) = parity;
        (port == 1 ? BR1ComboBox : BR2ComboBox) = baud;
    }

    StationEditBox = numberBox("StationEditBox");
    TXFComboBox = listBox("TXFComboBox", kTxFormats);
    auto* output = new QGroupBox("Com Port 2 Output");
    auto* outputRows = new QFormLayout(output);
    outputRows->addRow(m_fields.add(StationEditBox, "&Station ID", "ports.station_id").label,
                       StationEditBox);
    outputRows->addRow(m_fields.add(TXFComboBox, "&TX Format", "ports.tx_format").label,
                       TXFComboBox);
    row->addWidget(output);
    order << StationEditBox << TXFComboBox;
    return row;
}

QGroupBox* TCfgPortsForm::printerGroup(QList<QWidget*>& order)
{
    PrinterSelectComboBox = listBox("PrinterSelectComboBox", kPrinters);
    AutoLFyes = new QRadioButton("YES");
    AutoLFyes->setObjectName("AutoLFyes");
    AutoLFno = new QRadioButton("No");
    AutoLFno->setObjectName("AutoLFno");
    auto* autoLf = new QButtonGroup(this);
    autoLf->addButton(AutoLFyes);
    autoLf->addButton(AutoLFno);
    auto* autoLfRow = new QHBoxLayout;
    autoLfRow->addWidget(AutoLFyes);
    autoLfRow->addWidget(AutoLFno);
    autoLfRow->addStretch();
    EOPEditBox = numberBox("EOPEditBox");

    auto* printer = new QGroupBox("Printer");
    auto* rows = new QFormLayout(printer);
    rows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    rows->addRow(
        m_fields.add(PrinterSelectComboBox, "Printer S&elect", "ports.printer_select").label,
        PrinterSelectComboBox);
    rows->addRow(
        m_fields.add(AutoLFyes, AutoLFno, "Auto &LF after CR", "ports.auto_lf_after_cr").label,
        autoLfRow);
    rows->addRow(
        m_fields.add(EOPEditBox, "E&nd of Print character", "ports.end_of_print_character").label,
        EOPEditBox);
    order << PrinterSelectComboBox << AutoLFyes << AutoLFno << EOPEditBox;
    for (int code = 1; code <= 4; ++code) {
        auto* codeRow = new QHBoxLayout;
        for (int i = 1; i <= 3; ++i) {
            auto* box = numberBox(QString("PC%1%2EditBox").arg(code).arg(i));
            box->setMaxLength(3);
            PCEditBoxes[code - 1][i - 1] = box;
            codeRow->addWidget(box);
            order << box;
        }
        codeRow->addStretch();
        rows->addRow(addPrintCode(code), codeRow);
    }
    return printer;
}

// A port's data bits and parity are one mode byte, "8 none" in the setup text.
QLabel* TCfgPortsForm::addMode(QComboBox* dataBits, QComboBox* parity, const QString& caption,
                               int port)
{
    DialogField mode{caption,
                     {dataBits, parity},
                     buddyLabel(caption, dataBits),
                     setupField(portPath(port, "mode"))};
    mode.show = [dataBits, parity](const std::optional<text::Value>& value) {
        const QStringList words =
            value ? fromSetupText(text::textOf(*value)).split(' ') : QStringList{};
        showChoice(dataBits, toSetupText(words.value(0)));
        showChoice(parity, toSetupText(words.value(1)));
    };
    mode.read = [dataBits, parity]() -> Reading {
        if (dataBits->currentIndex() < 0 || parity->currentIndex() < 0) return {};
        return {choiceText(dataBits) + " " + choiceText(parity)};
    };
    chooseWith(dataBits, parity);
    chooseWith(parity, dataBits);
    return m_fields.add(std::move(mode)).label;
}

// Three boxes, one byte each; the byte after them is always 0.
QLabel* TCfgPortsForm::addPrintCode(int code)
{
    const auto& boxes = PCEditBoxes[code - 1];
    const QString caption = QString("Print Code &%1").arg(code);
    DialogField field{caption,
                      {boxes.begin(), boxes.end()},
                      buddyLabel(caption, boxes[0]),
                      setupField("ports.print_code_" + std::to_string(code))};
    field.show = [boxes](const std::optional<text::Value>& value) {
        const QStringList numbers =
            value ? fromSetupText(text::textOf(*value)).split(' ') : QStringList{};
        for (std::size_t i = 0; i < boxes.size(); ++i)
            boxes[i]->setText(numbers.value(static_cast<qsizetype>(i)));
    };
    field.read = [boxes]() -> Reading {
        std::string numbers;
        for (QLineEdit* box : boxes) {
            const Reading reading = readCodeBox(box);
            if (!reading.value) return reading;
            numbers += (numbers.empty() ? "" : " ") + text::textOf(*reading.value);
        }
        return {numbers};
    };
    return m_fields.add(std::move(field)).label;
}

void TCfgPortsForm::OKButtonClick()
{
    if (m_fields.store()) accept();
}

void TCfgPortsForm::CancelButtonClick()
{
    reject();
}

void TCfgPortsForm::HelpButtonClick()
{
    m_services.showHelp("CfgPorts");
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgPortsForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgPortsForm(c.setup.image, c.services, c.owner);
})
