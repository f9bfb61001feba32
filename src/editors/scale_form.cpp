#include "editors/scale_form.h"

#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/param_items.h"
#include "ui/context_help.h"
#include "ui/focus_out.h"
#include "ui/form_parts.h"
#include "ui/latin1_text.h"
#include "ui/screenshot_registry.h"
#include "ui/services.h"

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

// Decimal weights and count-bys: ten digits, a point and a sign.
constexpr int kDecimalLength = 12;

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
QHBoxLayout* inRow(QWidget* owner, QRadioButton* yes, QRadioButton* no)
{
    auto* group = new QButtonGroup(owner);
    group->addButton(yes);
    group->addButton(no);
    auto* row = new QHBoxLayout;
    row->addWidget(yes);
    row->addWidget(no);
    row->addStretch();
    return row;
}

QString longText(std::span<const std::uint8_t> image, std::size_t offset)
{
    return QString::number(static_cast<std::int32_t>(readLong(image, offset)));
}

}  // namespace

TCfgScaleForm::TCfgScaleForm(SetupImage& image, Services& services, QWidget* owner)
    : QDialog(owner), m_image(image), m_services(services), m_fields(image, services)
{
    setWindowTitle("Configure Scale Parameters");
    buildLayout();
    m_countBy = {countbyEditBox, primaryCountBy(), countbyEditBox->text()};
    m_altCountBy = {altCountbyEditBox, alternateCountBy(), altCountbyEditBox->text()};
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
    spanLabel = named(new QLabel, "spanLabel");
    offLabel1 = named(new QLabel, "offLabel1");
    offLabel2 = named(new QLabel, "offLabel2");
    okButton = named(new QPushButton(kOkCaption), "okButton");
    okButton->setDefault(true);
    cancelButton = named(new QPushButton(kCancelCaption), "cancelButton");
    helpButton = named(new QPushButton(kHelpCaption), "helpButton");

    auto* scale = new QGroupBox("Scale");
    auto* behaviour = new QGroupBox("Operation");
    addFields(new QFormLayout(scale), new QFormLayout(behaviour));
    showFactors();

    auto* calibration = new QGroupBox("Calibration");
    auto* calibrationRows = new QFormLayout(calibration);
    // Read-only: labels without a buddy.
    calibrationRows->addRow(new QLabel("Span Factor"), spanLabel);
    calibrationRows->addRow(new QLabel("Offset Factor 1"), offLabel1);
    calibrationRows->addRow(new QLabel("Offset Factor 2"), offLabel2);

    auto* left = new QVBoxLayout;
    left->addWidget(scale);
    left->addWidget(calibration);
    left->addStretch();

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

// The fields in the order of their rows; the capacity and overload are counted in
// steps of the count-by above them. A unit or load cell code outside its list shows
// the first choice.
void TCfgScaleForm::addFields(QFormLayout* scale, QFormLayout* behaviour)
{
    auto row = [this](QFormLayout* rows, auto* control, const char* caption, const char* path,
                      int option = 0) {
        rows->addRow(m_fields.add(control, caption, path, option).label, control);
    };
    row(scale, loadcellComboBox, "&Load Cell mv/v", "scale.load_cell");
    row(scale, countbyEditBox, "Count-&by", "scale.count_by", kDecimalLength);
    row(scale, fullscaleEditBox, "&Full Scale Capacity", "scale.capacity", kDecimalLength);
    row(scale, overloadEditBox, "Overload &Weight", "scale.overload", kDecimalLength);
    row(scale, unitsComboBox, "&Units", "scale.units");
    row(scale, altCountbyEditBox, "&Alt - Count-by", "scale.alt_count_by", kDecimalLength);
    row(scale, altUnitsComboBox, "Alt - U&nits", "scale.alt_units");
    // Typed as a decimal, stored as its digits: "0.45359" gives 45359.
    row(scale, altConvFactEditBox, "Con&version Factor", "scale.alt_conversion_factor",
        kDecimalLength);

    row(behaviour, filterEditBox, "V&ibration Filter", "scale.filter");
    row(behaviour, displayUpdateEditBox, "&Display Update Rate", "scale.display_update");
    row(behaviour, autoZeroEditBox, "Auto &Zero %", "scale.auto_zero");
    row(behaviour, ZTBEditBox, "Zero &Tracking Band", "scale.zero_track_band");
    row(behaviour, ZTDEditBox, "Zero Trac&king Delay", "scale.zero_track_delay");
    row(behaviour, MDBEditBox, "&Motion Detect Band", "scale.motion_band");
    row(behaviour, MDTEditBox, "Motion Dela&y Time", "scale.motion_delay");
    behaviourRow(behaviour, MBYes, MBNo, "Motion\nBlank&s Display", "scale.motion_blanks_display");
    behaviourRow(behaviour, POZyes, POZno, "&Power On Zero", "scale.power_on_zero");
    m_fields.load();
}

void TCfgScaleForm::behaviourRow(QFormLayout* rows, QRadioButton* yes, QRadioButton* no,
                                 const char* caption, const char* path)
{
    rows->addRow(m_fields.add(yes, no, caption, path).label, inRow(this, yes, no));
}

// "Offset Factor 1" shows item 21, "Offset Factor 2" item 19.
void TCfgScaleForm::showFactors()
{
    spanLabel->setText(longText(m_image, ItemOffset(22)));
    offLabel1->setText(longText(m_image, ItemOffset(21)));
    offLabel2->setText(longText(m_image, ItemOffset(19)));
}

void TCfgScaleForm::connectHandlers()
{
    onFocusOut(countbyEditBox, [this] { countbyEditBoxExit(); });
    onFocusOut(altCountbyEditBox, [this] { altCountbyEditBoxExit(); });
    connect(okButton, &QPushButton::clicked, this, &TCfgScaleForm::okButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TCfgScaleForm::cancelButtonClick);
    connect(helpButton, &QPushButton::clicked, this, &TCfgScaleForm::helpButtonClick);
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
    if (m_fields.store()) accept();
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
