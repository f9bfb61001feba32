#include "editors/scale_form.h"

#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/param_items.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/focus_out.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"
#include "ui/setup_text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace quelvar {

namespace {

const QStringList kLoadCells = fromSetupTexts(loadCellNames());
const QStringList kUnits = fromSetupTexts(unitNames());

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* editBox(const char* name)
{
    auto* box = named(new QLineEdit, name);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance("0000000000000"));
    return box;
}

QComboBox* listBox(const char* name, const QStringList& texts)
{
    auto* box = named(new QComboBox, name);
    box->addItems(texts);
    return box;
}

// A Yes/No pair as one button group: Tab stops once, the arrow keys choose.
QButtonGroup* radioPair(QWidget* owner, QRadioButton* yes, QRadioButton* no)
{
    auto* group = new QButtonGroup(owner);
    group->addButton(yes);
    group->addButton(no);
    return group;
}

QHBoxLayout* inRow(QWidget* a, QWidget* b)
{
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    return row;
}

QString longText(std::span<const std::uint8_t> image, std::size_t offset)
{
    return QString::number(static_cast<std::int32_t>(readLong(image, offset)));
}

}  // namespace

TCfgScaleForm::TCfgScaleForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services)
{
    setWindowTitle("Configure Scale Parameters");
    buildLayout();
    m_countBy = {countbyEditBox, primaryCountBy(), {}};
    m_altCountBy = {altCountbyEditBox, alternateCountBy(), {}};
    loadFields();
    connectHandlers();
    setHelpTopic(this, "CfgScale");
    installContextHelp(this, m_services);
}

void TCfgScaleForm::buildLayout()
{
    loadcellComboBox = listBox("loadcellComboBox", kLoadCells);
    countbyEditBox = editBox("countbyEditBox");
    fullscaleEditBox = editBox("fullscaleEditBox");
    overloadEditBox = editBox("overloadEditBox");
    unitsComboBox = listBox("unitsComboBox", kUnits);
    altCountbyEditBox = editBox("altCountbyEditBox");
    altUnitsComboBox = listBox("altUnitsComboBox", kUnits);
    altConvFactEditBox = editBox("altConvFactEditBox");
    filterEditBox = editBox("filterEditBox");
    displayUpdateEditBox = editBox("displayUpdateEditBox");
    autoZeroEditBox = editBox("autoZeroEditBox");
    ZTBEditBox = editBox("ZTBEditBox");
    ZTDEditBox = editBox("ZTDEditBox");
    MDBEditBox = editBox("MDBEditBox");
    MDTEditBox = editBox("MDTEditBox");
    MBYes = named(new QRadioButton("Yes"), "MBYes");
    MBNo = named(new QRadioButton("No"), "MBNo");
    POZyes = named(new QRadioButton("Yes"), "POZyes");
    POZno = named(new QRadioButton("No"), "POZno");
    m_motionBlanks = radioPair(this, MBYes, MBNo);
    m_powerOnZero = radioPair(this, POZyes, POZno);
    spanLabel = named(new QLabel, "spanLabel");
    offLabel1 = named(new QLabel, "offLabel1");
    offLabel2 = named(new QLabel, "offLabel2");
    okButton = named(new QPushButton("OK"), "okButton");
    okButton->setDefault(true);
    cancelButton = named(new QPushButton("Cancel"), "cancelButton");
    helpButton = named(new QPushButton("Help"), "helpButton");

    auto* scale = new QGroupBox("Scale");
    auto* scaleRows = new QFormLayout(scale);
    scaleRows->addRow("Load Cell mv/v", loadcellComboBox);
    scaleRows->addRow("Count-by", countbyEditBox);
    scaleRows->addRow("Full Scale Capacity", fullscaleEditBox);
    scaleRows->addRow("Overload Weight", overloadEditBox);
    scaleRows->addRow("Units", unitsComboBox);
    scaleRows->addRow("Alt - Count-by", altCountbyEditBox);
    scaleRows->addRow("Alt - Units", altUnitsComboBox);
    scaleRows->addRow("Conversion Factor", altConvFactEditBox);

    auto* calibration = new QGroupBox("Calibration");
    auto* calibrationRows = new QFormLayout(calibration);
    calibrationRows->addRow("Span Factor", spanLabel);
    calibrationRows->addRow("Offset Factor 1", offLabel1);
    calibrationRows->addRow("Offset Factor 2", offLabel2);

    auto* left = new QVBoxLayout;
    left->addWidget(scale);
    left->addWidget(calibration);
    left->addStretch();

    auto* behaviour = new QGroupBox("Operation");
    auto* behaviourRows = new QFormLayout(behaviour);
    behaviourRows->addRow("Vibration Filter", filterEditBox);
    behaviourRows->addRow("Display Update Rate", displayUpdateEditBox);
    behaviourRows->addRow("Auto Zero %", autoZeroEditBox);
    behaviourRows->addRow("Zero Tracking Band", ZTBEditBox);
    behaviourRows->addRow("Zero Tracking Delay", ZTDEditBox);
    behaviourRows->addRow("Motion Detect Band", MDBEditBox);
    behaviourRows->addRow("Motion Delay Time", MDTEditBox);
    auto* motionLabel = new QLabel("Motion\nBlanks Display");
    motionLabel->setBuddy(MBYes);
    behaviourRows->addRow(motionLabel, inRow(MBYes, MBNo));
    auto* powerOnLabel = new QLabel("Power On Zero");
    powerOnLabel->setBuddy(POZyes);
    behaviourRows->addRow(powerOnLabel, inRow(POZyes, POZno));

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(behaviour, 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {okButton, cancelButton, helpButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    const QList<QWidget*> order = {loadcellComboBox,
                                   countbyEditBox,
                                   fullscaleEditBox,
                                   overloadEditBox,
                                   unitsComboBox,
                                   altCountbyEditBox,
                                   altUnitsComboBox,
                                   altConvFactEditBox,
                                   filterEditBox,
                                   displayUpdateEditBox,
                                   autoZeroEditBox,
                                   ZTBEditBox,
                                   ZTDEditBox,
                                   MDBEditBox,
                                   MDTEditBox,
                                   MBYes,
                                   MBNo,
                                   POZyes,
                                   POZno,
                                   okButton,
                                   cancelButton,
                                   helpButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TCfgScaleForm::connectHandlers()
{
    onFocusOut(countbyEditBox, [this] { countbyEditBoxExit(); });
    onFocusOut(altCountbyEditBox, [this] { altCountbyEditBoxExit(); });
    connect(okButton, &QPushButton::clicked, this, &TCfgScaleForm::okButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgScaleForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgScaleForm::helpButtonClick);
}

void TCfgScaleForm::loadFields()
{
    const std::uint8_t loadCell = readByte(m_image, ItemOffset(1));
    loadcellComboBox->setCurrentIndex(loadCell < kLoadCells.size() ? loadCell : 0);
    for (CountByBox* countBy : {&m_countBy, &m_altCountBy}) {
        countBy->accepted =
            QString::fromStdString(DecimalToText(readCountBy(m_image, countBy->field)));
        countBy->box->setText(countBy->accepted);
    }
    const PackedDecimal countBy = readCountBy(m_image, m_countBy.field);
    for (auto [box, item] : {std::pair{fullscaleEditBox, 17}, std::pair{overloadEditBox, 18}}) {
        const auto steps = static_cast<std::int32_t>(readLong(m_image, ItemOffset(item)));
        box->setText(QString::fromStdString(weightText(steps, countBy)));
    }
    for (auto [box, item] : {std::pair{unitsComboBox, 10}, std::pair{altUnitsComboBox, 13}}) {
        const std::uint16_t unit = readWord(m_image, ItemOffset(item));
        box->setCurrentIndex(unit < kUnits.size() ? unit : 0);
    }
    altConvFactEditBox->setText(longText(m_image, ItemOffset(16)));
    spanLabel->setText(longText(m_image, ItemOffset(22)));
    // "Offset Factor 1" shows item 21, "Offset Factor 2" item 19.
    offLabel1->setText(longText(m_image, ItemOffset(21)));
    offLabel2->setText(longText(m_image, ItemOffset(19)));
    for (auto [box, item] :
         {std::pair{filterEditBox, 2}, std::pair{displayUpdateEditBox, 3}, std::pair{MDTEditBox, 4},
          std::pair{MDBEditBox, 5}, std::pair{ZTDEditBox, 7}, std::pair{autoZeroEditBox, 9}})
        box->setText(QString::number(readByte(m_image, ItemOffset(item))));
    ZTBEditBox->setText(QString::number(readWord(m_image, ItemOffset(8))));
    (readByte(m_image, ItemOffset(20)) != 0 ? POZno : POZyes)->setChecked(true);
    (readByte(m_image, ItemOffset(6)) != 0 ? MBYes : MBNo)->setChecked(true);
}

// The count-by is checked when its box is left; the other fields on OK, in the order
// the indicator's tools always stored them.
void TCfgScaleForm::storeFields()
{
    writeByte(m_image, ItemOffset(1), static_cast<std::uint8_t>(loadcellComboBox->currentIndex()));
    PackedDecimal countBy;
    for (const CountByBox* box : {&m_countBy, &m_altCountBy}) {
        const PackedDecimal value = toDecimal(box->box->text());
        writeCountBy(m_image, box->field, value);
        if (box == &m_countBy) countBy = value;
    }
    storeWeight(fullscaleEditBox, ItemOffset(17), countBy);
    storeWeight(overloadEditBox, ItemOffset(18), countBy);
    writeWord(m_image, ItemOffset(10), static_cast<std::uint16_t>(unitsComboBox->currentIndex()));
    writeWord(m_image, ItemOffset(13),
              static_cast<std::uint16_t>(altUnitsComboBox->currentIndex()));
    // The conversion factor is stored as its digits, the point ignored.
    writeLong(m_image, ItemOffset(16),
              static_cast<std::uint32_t>(DecimalToInteger(toDecimal(altConvFactEditBox->text()))));
    auto storeByte = [this](QLineEdit* box, int item) {
        writeByte(m_image, ItemOffset(item), static_cast<std::uint8_t>(toInt(box->text())));
    };
    storeByte(filterEditBox, 2);
    storeByte(displayUpdateEditBox, 3);
    storeByte(autoZeroEditBox, 9);
    writeWord(m_image, ItemOffset(8), static_cast<std::uint16_t>(toInt(ZTBEditBox->text())));
    storeByte(ZTDEditBox, 7);
    writeByte(m_image, ItemOffset(20), POZno->isChecked() ? 1 : 0);
    storeByte(MDBEditBox, 5);
    storeByte(MDTEditBox, 4);
    writeByte(m_image, ItemOffset(6), MBYes->isChecked() ? 1 : 0);
}

// A weight too heavy to count in a Long at this count-by is not a value the
// indicator can hold: it is refused like any malformed number.
void TCfgScaleForm::storeWeight(QLineEdit* box, std::size_t offset, const PackedDecimal& countBy)
{
    const auto steps = weightSteps(toDecimal(box->text()), countBy);
    if (!steps) throw ConversionError(box->text(), "decimal");
    writeLong(m_image, offset, static_cast<std::uint32_t>(*steps));
}

// True when the box holds an accepted count-by. A refused text is replaced by the
// last accepted one.
bool TCfgScaleForm::checkCountBy(CountByBox& countBy)
{
    const QString text = countBy.box->text();
    if (text == countBy.accepted) return true;
    const auto value = parseDecimalText(text.toStdString());
    if (value && isValidCountBy(*value)) {
        countBy.accepted = text;
        return true;
    }
    // The message box takes the focus from the box once more.
    const QScopedValueRollback checking(m_checking, true);
    m_services.message(QString("Invalid Count-By: %1").arg(text));
    countBy.box->setText(countBy.accepted);
    return false;
}

// Leaving for Cancel, for another window or because the dialog closes checks nothing.
void TCfgScaleForm::countByBoxExit(CountByBox& countBy)
{
    const QWidget* next = QApplication::focusWidget();
    if (m_checking || m_closing || !next || next->window() != this || next == cancelButton) return;
    checkCountBy(countBy);
}

void TCfgScaleForm::countbyEditBoxExit()
{
    countByBoxExit(m_countBy);
}

void TCfgScaleForm::altCountbyEditBoxExit()
{
    countByBoxExit(m_altCountBy);
}

void TCfgScaleForm::okButtonClick()
{
    if (!checkCountBy(m_countBy) || !checkCountBy(m_altCountBy)) return;
    if (runGuarded(m_services, [this] { storeFields(); })) accept();
}

void TCfgScaleForm::cancelButtonClick()
{
    reject();
}

void TCfgScaleForm::helpButtonClick()
{
    m_services.showHelp("CfgScale");
}

void TCfgScaleForm::done(int result)
{
    m_closing = true;
    QDialog::done(result);
}

}  // namespace quelvar

QUELVAR_SCREENSHOT(TCfgScaleForm, [](quelvar::ScreenshotContext& c) {
    return new quelvar::TCfgScaleForm(c.setup.image, c.services, c.owner);
})
