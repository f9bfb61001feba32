#include "editors/ports_form.h"

#include "editors/port_params.h"
#include "model/bytes.h"
#include "model/param_items.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
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

constexpr int kStationItem = 27;
constexpr int kTxFormatItem = 28;
constexpr int kPrinterItem = 29;
constexpr int kAutoLfItem = 30;
constexpr int kEndOfPrintItem = 31;

QComboBox* listBox(const QString& name, const QStringList& texts)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems(texts);
    return box;
}

QLineEdit* numberBox(const QString& name, int maxLength = 32767)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance("00000") + 12);
    return box;
}

// The list's index for a code counted from 1 (none for a code outside it); on OK
// the code of the chosen index, and the byte unchanged when nothing is chosen.
void showCode(QComboBox* list, std::uint8_t code)
{
    list->setCurrentIndex(codeIndex(code, list->count()));
}

void storeCode(std::span<std::uint8_t> image, std::size_t offset, const QComboBox* list)
{
    if (const auto code = indexCode(list->currentIndex())) writeByte(image, offset, *code);
}

void storeNumber(std::span<std::uint8_t> image, std::size_t offset, const QLineEdit* box)
{
    writeByte(image, offset, static_cast<std::uint8_t>(toInt(box->text())));
}

}  // namespace

TCfgPortsForm::TCfgPortsForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("I/O Port Parameters");
    buildLayout();
    loadFields();
    connect(OKButton, &QPushButton::clicked, this, &TCfgPortsForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TCfgPortsForm::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TCfgPortsForm::HelpButtonClick);
    setHelpTopic(this, "CfgPorts");
    installContextHelp(this, m_services);
}

void TCfgPortsForm::buildLayout()
{
    QList<QWidget*> order;
    auto* portsRow = new QHBoxLayout;
    for (int port = 1; port <= 2; ++port) {
        auto* group = new QGroupBox(QString("Com Port %1").arg(port));
        auto* rows = new QFormLayout(group);
        auto* dataBits = listBox(QString("DB%1ComboBox").arg(port), kDataBits);
        auto* parity = listBox(QString("P%1ComboBox").arg(port), kParities);
        auto* baud = listBox(QString("BR%1ComboBox").arg(port), kBauds);
        rows->addRow("Data Bits", dataBits);
        rows->addRow("Parity", parity);
        rows->addRow("Baud Rate", baud);
        order << dataBits << parity << baud;
        portsRow->addWidget(group);
        (port == 1 ? DB1ComboBox : DB2ComboBox) = dataBits;
        (port == 1 ? P1ComboBox : P2ComboBox) = parity;
        (port == 1 ? BR1ComboBox : BR2ComboBox) = baud;
    }

    StationEditBox = numberBox("StationEditBox", 3);
    TXFComboBox = listBox("TXFComboBox", kTxFormats);
    auto* output = new QGroupBox("Com Port 2 Output");
    auto* outputRows = new QFormLayout(output);
    outputRows->addRow("Station ID", StationEditBox);
    outputRows->addRow("TX Format", TXFComboBox);
    portsRow->addWidget(output);
    order << StationEditBox << TXFComboBox;

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
    auto* autoLfLabel = new QLabel("Auto LF after CR");
    autoLfLabel->setBuddy(AutoLFyes);
    EOPEditBox = numberBox("EOPEditBox");

    auto* printer = new QGroupBox("Printer");
    auto* printerRows = new QFormLayout(printer);
    printerRows->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    printerRows->addRow("Printer Select", PrinterSelectComboBox);
    printerRows->addRow(autoLfLabel, autoLfRow);
    printerRows->addRow("End of Print character", EOPEditBox);
    order << PrinterSelectComboBox << AutoLFyes << AutoLFno << EOPEditBox;
    for (int code = 1; code <= 4; ++code) {
        auto* codeRow = new QHBoxLayout;
        for (int i = 1; i <= 3; ++i) {
            // Only the first box of print code 1 was ever limited to 3 characters.
            auto* box = numberBox(QString("PC%1%2EditBox").arg(code).arg(i),
                                  code == 1 && i == 1 ? 3 : 32767);
            PCEditBoxes[code - 1][i - 1] = box;
            codeRow->addWidget(box);
            order << box;
        }
        codeRow->addStretch();
        auto* label = new QLabel(QString("Print Code %1").arg(code));
        label->setBuddy(PCEditBoxes[code - 1][0]);
        printerRows->addRow(label, codeRow);
    }

    OKButton = new QPushButton("OK");
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel");
    CancelButton->setObjectName("CancelButton");
    HelpButton = new QPushButton("Help");
    HelpButton->setObjectName("HelpButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {OKButton, CancelButton, HelpButton})
        buttons->addWidget(b);
    order << OKButton << CancelButton << HelpButton;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(portsRow);
    layout->addWidget(printer);
    layout->addLayout(buttons);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

std::array<TCfgPortsForm::PortLists, 2> TCfgPortsForm::ports() const
{
    return {PortLists{DB1ComboBox, P1ComboBox, BR1ComboBox, ItemOffset(23)},
            PortLists{DB2ComboBox, P2ComboBox, BR2ComboBox, ItemOffset(25)}};
}

// The baud rate byte follows each port's mode byte.
void TCfgPortsForm::loadFields()
{
    for (const PortLists& port : ports()) {
        const LineMode mode = lineMode(readByte(m_image, port.modeOffset));
        port.dataBits->setCurrentIndex(mode.dataBits);
        port.parity->setCurrentIndex(mode.parity);
        showCode(port.baud, readByte(m_image, port.modeOffset + 1));
    }
    showCode(TXFComboBox, readByte(m_image, ItemOffset(kTxFormatItem)));
    StationEditBox->setText(QString::number(readByte(m_image, ItemOffset(kStationItem))));
    showCode(PrinterSelectComboBox, readByte(m_image, ItemOffset(kPrinterItem)));
    EOPEditBox->setText(QString::number(readByte(m_image, ItemOffset(kEndOfPrintItem))));
    (readByte(m_image, ItemOffset(kAutoLfItem)) != 0 ? AutoLFyes : AutoLFno)->setChecked(true);
    for (int code = 1; code <= 4; ++code) {
        const PrintCode bytes = readPrintCode(m_image, code);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            PCEditBoxes[code - 1][i]->setText(QString::number(bytes[i]));
    }
}

void TCfgPortsForm::storeFields()
{
    for (const PortLists& port : ports()) {
        storeCode(m_image, port.modeOffset + 1, port.baud);
        if (const auto mode =
                modeByte({port.dataBits->currentIndex(), port.parity->currentIndex()}))
            writeByte(m_image, port.modeOffset, *mode);
    }
    storeCode(m_image, ItemOffset(kTxFormatItem), TXFComboBox);
    storeNumber(m_image, ItemOffset(kStationItem), StationEditBox);
    storeCode(m_image, ItemOffset(kPrinterItem), PrinterSelectComboBox);
    storeNumber(m_image, ItemOffset(kEndOfPrintItem), EOPEditBox);
    writeByte(m_image, ItemOffset(kAutoLfItem), AutoLFyes->isChecked() ? 1 : 0);
    for (int code = 1; code <= 4; ++code) {
        PrintCode bytes;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(toInt(PCEditBoxes[code - 1][i]->text()));
        writePrintCode(m_image, code, bytes);
    }
}

void TCfgPortsForm::OKButtonClick()
{
    if (runGuarded(m_services, [this] { storeFields(); })) accept();
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
