#include "app/main_form.h"

#include "app/about_box.h"
#include "app/settings_file.h"
#include "editors/fixed_registers_form.h"
#include "editors/keyboard_form.h"
#include "editors/misc_form.h"
#include "editors/passwords_form.h"
#include "editors/ports_form.h"
#include "editors/scale_form.h"
#include "editors/setpoint_form.h"
#include "editors/timers_form.h"
#include "model/check_bytes.h"
#include "model/setup_document.h"
#include "printing/label_form.h"
#include "printing/print_format_form.h"
#include "printing/report_form.h"
#include "script/select_form.h"
#include "serial/com_configure_form.h"
#include "serial/com_port.h"
#include "serial/port_messages.h"
#include "text/setup_text_file.h"
#include "transfer/compare_form.h"
#include "transfer/display_form.h"
#include "transfer/download_form.h"
#include "transfer/indicator_copy.h"
#include "transfer/upload_form.h"
#include "ui/context_help.h"
#include "ui/focus_out.h"
#include "ui/latin1_text.h"
#include "ui/program_icon.h"
#include "ui/services.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace quelvar {

namespace {
const QString kSaveQuestion = QStringLiteral("Current file has changed. Save file?");
constexpr int kCompareHelpContext = 4350;
}

TMainForm::TMainForm(SetupDocument& document, ComPort& port, Services& services, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_port(port), m_services(services)
{
    setObjectName("TMainForm");
    setWindowTitle("Quelvar 2");
    setWindowIcon(programIcon());
    setHelpContext(this, 80);
    setAcceptDrops(true);

    buildToolbar();
    setCentralWidget(buildCentral());
    buildStatusBar();
    connectButtons();
    onFocusOut(fileDescriptionMemo, [this] { fileDescriptionMemoExit(); });
    m_memoText.limit(*fileDescriptionMemo, kDescriptionMaxLength);
    installContextHelp(this, m_services);
    showDescription();
    // Wide enough for the whole toolbar; the memo takes what height is left.
    resize(std::max(ToolBar->sizeHint().width() + 24, 600), 560);
    focusFirstEditor();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

// The heading, the button group and the description memo, top to bottom.
QWidget* TMainForm::buildCentral()
{
    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    auto* layout = new QVBoxLayout(central);
    headingLabel = new QLabel("Quelvar version 2", central);
    headingLabel->setObjectName("headingLabel");
    QFont headingFont = headingLabel->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 2.2);
    headingFont.setBold(true);
    headingLabel->setFont(headingFont);
    headingLabel->setAlignment(Qt::AlignCenter);
    setHelpContext(headingLabel, 2100);
    layout->addWidget(headingLabel);
    layout->addWidget(buildButtonGroup());

    fileDescriptionMemo = new QPlainTextEdit(central);
    fileDescriptionMemo->setObjectName("fileDescriptionMemo");
    fileDescriptionMemo->setTabChangesFocus(true);
    fileDescriptionMemo->setPlaceholderText("Application description");
    setHelpContext(fileDescriptionMemo, 4800);
    layout->addWidget(fileDescriptionMemo, 1);
    return central;
}

// Under the description: which file is open and whether the setup has changed.
void TMainForm::buildStatusBar()
{
    fileNameStatus = new QLabel;
    fileNameStatus->setObjectName("fileNameStatus");
    changedStatus = new QLabel;
    changedStatus->setObjectName("changedStatus");
    statusBar()->addWidget(fileNameStatus, 1);
    statusBar()->addPermanentWidget(changedStatus);
    connect(fileDescriptionMemo, &QPlainTextEdit::textChanged, this, &TMainForm::updateStatus);
}

void TMainForm::updateStatus()
{
    const std::string& name = m_document.fileName();
    fileNameStatus->setText(name.empty() ? QString("No file") : QString::fromStdString(name));
    changedStatus->setText(IsSetupChanged() ? "Changed" : "");
}

void TMainForm::buildToolbar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName("ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setIconSize(QSize(32, 32));
    ToolBar->toggleViewAction()->setVisible(false);
    setHelpContext(ToolBar, 3600);
    addToolBar(Qt::TopToolBarArea, ToolBar);

    auto icon = [this](QStyle::StandardPixmap pixmap) { return style()->standardIcon(pixmap); };
    auto separator = [this](int helpContext) {
        ToolBar->addSeparator()->setProperty("helpContext", helpContext);
    };
    addToolButton(OpenButton, "OpenButton", "&Open File", "Open File", 3800,
                  icon(QStyle::SP_DialogOpenButton));
    addToolButton(SaveButton, "SaveButton", "&Save File", "Save File", 3900,
                  icon(QStyle::SP_DialogSaveButton));
    separator(3700);
    addToolButton(ExitButton, "ExitButton", "E&xit", "Exit Quelvar program", 4000,
                  icon(QStyle::SP_DialogCloseButton));
    separator(4100);
    addToolButton(UploadButton, "UploadButton", "&Upload", "Upload PC --> Indicator", 4200,
                  icon(QStyle::SP_ArrowUp));
    addToolButton(DownloadButton, "DownloadButton", "&Download", "Download PC <-- Indicator", 4300,
                  icon(QStyle::SP_ArrowDown));
    addToolButton(CompareButton, "CompareButton", "&Compare",
                  "Compare this setup with a file or with the indicator", kCompareHelpContext,
                  icon(QStyle::SP_FileDialogDetailedView));
    buildCompareMenu();
    separator(4400);
    addToolButton(PrintButton, "PrintButton", "&Print", "Preview / Print", 4500,
                  icon(QStyle::SP_FileDialogContentsView));
    addToolButton(SetupButton, "SetupButton", "S&etup", "Com Port Setup", 4600, serialPortIcon());
    addToolButton(HelpButton2, "HelpButton2", "&Help", "Help", 4700,
                  icon(QStyle::SP_DialogHelpButton));
    addToolButton(AboutButton, "AboutButton", "&About", {}, 0,
                  icon(QStyle::SP_MessageBoxInformation));
    buildRecentMenu();
    // Beside the Alt-letters, which the captions hold.
    const std::pair<QToolButton*, QKeySequence::StandardKey> keys[] = {
        {OpenButton, QKeySequence::Open},
        {SaveButton, QKeySequence::Save},
        {PrintButton, QKeySequence::Print}};
    for (const auto& [button, key] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, button, &QToolButton::click);
}

void TMainForm::addToolButton(QToolButton*& button, const char* name, const QString& caption,
                              const QString& hint, int helpContext, QIcon icon)
{
    button = new QToolButton(ToolBar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setMinimumWidth(64);
    if (helpContext) setHelpContext(button, helpContext);
    ToolBar->addWidget(button);
}

QPushButton* TMainForm::makeButton(QPushButton*& button, const char* name, const QString& caption,
                                   const QString& hint, int helpContext)
{
    button = new QPushButton(caption);
    button->setObjectName(name);
    if (!hint.isEmpty()) button->setToolTip(hint);
    button->setMinimumHeight(34);
    setHelpContext(button, helpContext);
    return button;
}

// Three columns, row by row: parameters, printing, events, the rest.
QWidget* TMainForm::buildButtonGroup()
{
    auto* group = new QWidget;
    group->setObjectName("ButtonGroup");
    auto* grid = new QGridLayout(group);
    grid->setSpacing(8);
    QPushButton* buttons[] = {
        makeButton(ScaleButton, "ScaleButton", "Sca&le", "Configure Indicator Parameters", 2300),
        makeButton(IOports, "IOports", "&I/O Ports", "Com ports & Parallel TTL port", 2400),
        makeButton(MiscButton, "MiscButton", "&Misc", {}, 2500),
        makeButton(PrintLabelsButton, "PrintLabelsButton", "Print La&bels", {}, 2700),
        makeButton(PrintFormatButton, "PrintFormatButton", "Print &Formats", {}, 2600),
        makeButton(FixedRegButton, "FixedRegButton", "Fixed &Registers", {}, 2800),
        makeButton(KeyboardButton, "KeyboardButton", "&Keyboard Events", {}, 2900),
        makeButton(SetpointButton, "SetpointButton", "Setpoi&nt Events", {}, 3000),
        makeButton(TimerButton, "TimerButton", "Timer E&vents", {}, 3100),
        makeButton(TallyScriptButton, "TallyScriptButton", "Tall&y Script", {}, 3200),
        makeButton(PasswordsButton, "PasswordsButton", "Pass&words", {}, 3300),
        makeButton(DisplayListButton, "DisplayListButton", "Display Confi&g", {}, 3400),
        makeButton(DefaultsButton, "DefaultsButton", "Rese&t to Defaults", {}, 3500),
        makeButton(HelpButton, "HelpButton", "Help", {}, 8),
    };
    int index = 0;
    for (QPushButton* button : buttons) {
        grid->addWidget(button, index / 3, index % 3);
        ++index;
    }
    return group;
}

void TMainForm::connectButtons()
{
    connect(OpenButton, &QToolButton::clicked, this, &TMainForm::OpenButtonClick);
    connect(SaveButton, &QToolButton::clicked, this, &TMainForm::SaveButtonClick);
    connect(ExitButton, &QToolButton::clicked, this, &TMainForm::ExitButtonClick);
    connect(HelpButton2, &QToolButton::clicked, this, &TMainForm::HelpButton2Click);
    connect(AboutButton, &QToolButton::clicked, this, &TMainForm::AboutButtonClick);
    connect(DefaultsButton, &QPushButton::clicked, this, &TMainForm::DefaultsButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, &TMainForm::HelpButtonClick);
    connect(TallyScriptButton, &QPushButton::clicked, this, &TMainForm::TallyScriptButtonClick);
    connect(ScaleButton, &QPushButton::clicked, this,
            [this] { runDialog(new TCfgScaleForm(m_document.setup().image, m_services, this)); });
    connect(IOports, &QPushButton::clicked, this,
            [this] { runDialog(new TCfgPortsForm(m_document.setup().image, m_services, this)); });
    connect(MiscButton, &QPushButton::clicked, this,
            [this] { runDialog(new TMiscForm(m_document.setup().image, m_services, this)); });
    connect(FixedRegButton, &QPushButton::clicked, this, [this] {
        runDialog(new TCfgFixedSetpointsForm(m_document.setup().image, m_services, this));
    });
    connect(PasswordsButton, &QPushButton::clicked, this, [this] {
        runDialog(new TCfgPasswordsForm(m_document.setup().image, m_services, this));
    });
    connect(SetupButton, &QToolButton::clicked, this,
            [this] { runDialog(new TComConfigureForm(m_port, m_services, this)); });
    connect(KeyboardButton, &QPushButton::clicked, this, [this] {
        runDialog(new TCfgKeyboardForm(m_document.setup().image, m_services, this));
    });
    connect(SetpointButton, &QPushButton::clicked, this, [this] {
        runDialog(new TCfgSetpointForm(m_document.setup().image, m_services, this));
    });
    connect(TimerButton, &QPushButton::clicked, this,
            [this] { runDialog(new TCfgTimersForm(m_document.setup().image, m_services, this)); });
    connect(PrintFormatButton, &QPushButton::clicked, this, [this] {
        runDialog(new TPrintFormatForm(m_document.setup().image, m_services, this));
    });
    connect(PrintLabelsButton, &QPushButton::clicked, this,
            [this] { runDialog(new TCfgLabelForm(m_document.setup().image, m_services, this)); });

    connect(PrintButton, &QToolButton::clicked, this, &TMainForm::PrintButtonClick);
    connect(DisplayListButton, &QPushButton::clicked, this, &TMainForm::DisplayListButtonClick);
    connect(UploadButton, &QToolButton::clicked, this, &TMainForm::UploadButtonClick);
    connect(DownloadButton, &QToolButton::clicked, this, &TMainForm::DownloadButtonClick);
}

void TMainForm::focusFirstEditor()
{
    for (auto* button : findChild<QWidget*>("ButtonGroup")->findChildren<QPushButton*>())
        if (button->isEnabled()) {
            button->setFocus();
            return;
        }
}

void TMainForm::runDialog(QDialog* dialog)
{
    std::unique_ptr<QDialog> owned(dialog);
    owned->exec();
    updateStatus();
}

// --- start-up and exit -------------------------------------------------------

void TMainForm::FormCreate(const QString& settingsPath)
{
    FormCreate(SettingsFiles{settingsPath.toStdString(), settingsPath.toStdString()});
}

void TMainForm::FormCreate(const SettingsFiles& settings)
{
    m_settings = settings;
    ReadSettings(settings, m_port, &m_options);
    if (!m_simulatedCom1.isEmpty()) applySimulatedCom1();
    openAndConfigurePort();
    m_document.resetToFactory();
    showDescription();
    updateStatus();
}

// COM1's entry of the Devices section is replaced for this run only: the section
// is never written back.
void TMainForm::applySimulatedCom1()
{
    DeviceMap devices = m_port.devices();
    if (const auto real = devices.find("com1"); real != devices.end()) m_realCom1 = real->second;
    devices["com1"] = m_simulatedCom1.toStdString();
    m_port.setDevices(std::move(devices));
}

// COM1 still on the simulated indicator gets its own device back before the settings
// are written.
void TMainForm::restoreRealCom1()
{
    DeviceMap devices = m_port.devices();
    if (m_simulatedCom1.isEmpty() || devices["com1"] != m_simulatedCom1.toStdString()) return;
    if (m_realCom1)
        devices["com1"] = *m_realCom1;
    else
        devices.erase("com1");
    m_port.setDevices(std::move(devices));
}

// The port is configured whether or not it opened; each failure is reported once
// and editing goes on. The reason from the system goes into the detail text.
void TMainForm::openAndConfigurePort()
{
    if (!m_port.Open()) reportOpenFailure(m_services, m_port);
    if (!m_port.Configure()) reportConfigureFailure(m_services, m_port);
}

// The hidden download dialog's creation purges the port and sends the reset
// sequence to the indicator. It is never shown; the window owns it.
void TMainForm::createHiddenDownloadDialog()
{
    new TDownloadForm(m_port, m_document.setup().image, m_services, this);
}

void TMainForm::simulateCom1(const QString& device)
{
    m_simulatedCom1 = device;
    setWindowTitle("Quelvar 2 - COM1 is the simulated indicator");
}

void TMainForm::FormDestroy()
{
    restoreRealCom1();
    if (m_settings) WriteSettings(*m_settings, m_port, &m_options);
    m_port.Close();
}

// Closing (the Exit button, the window's close button, a desktop logout) asks to
// save unsaved changes; Cancel or Esc, or a Yes that saved nothing, keeps it open.
void TMainForm::closeEvent(QCloseEvent* event)
{
    event->setAccepted(askSaveBeforeReplacing(true));
    updateStatus();
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(event);
}

void TMainForm::FormActivate()
{
    showDescription();
}

// --- description memo --------------------------------------------------------

void TMainForm::fileDescriptionMemoExit()
{
    m_document.setup().description = m_memoText.read(*fileDescriptionMemo);
}

// The setup's description, and its file name and state in the status bar: a setup
// read from the command line is shown as one chosen with Open File.
void TMainForm::showDescription()
{
    m_memoText.show(*fileDescriptionMemo, m_document.setup().description);
    updateStatus();
}

// --- setup files -------------------------------------------------------------

bool TMainForm::IsSetupChanged()
{
    fileDescriptionMemoExit();
    return m_document.IsSetupChanged();
}

// The save question before the setup in memory is replaced or left. False: Cancel,
// or Yes that saved nothing (save dialog cancelled, write failed): the setup stays.
bool TMainForm::askSaveBeforeReplacing(bool prefillName)
{
    if (!IsSetupChanged()) return true;
    const QString caption = QString::fromStdString(m_document.fileName());
    switch (m_services.askYesNoCancel(kSaveQuestion, caption)) {
    case Answer::Yes:
        if (prefillName)
            SaveSetupFile();
        else
            SaveSetupFileAs();
        return !IsSetupChanged();
    case Answer::No: return true;
    default: return false;
    }
}

bool TMainForm::OpenSetupFile()
{
    if (!askSaveBeforeReplacing(false)) return false;
    const auto chosen = m_services.chooseOpenFile();
    return chosen && readSetupFile(*chosen);
}

// The file chosen in the open dialog, or named on the command line: a setup text
// by its name or first line, else a setup file. One that does not look like a setup
// file replaces the setup only when the person says so.
bool TMainForm::readSetupFile(const QString& path)
{
    if (text::opensAsSetupText(path.toStdString())) return readSetupText(path);
    const std::string doubts = setupFileDoubts(path.toStdString());
    if (!doubts.empty() &&
        !m_services.warnYesNo(QString("%1 is not a setup file: %2. Open it anyway?")
                                  .arg(path, QString::fromStdString(doubts))))
        return false;
    const auto result = m_document.readFile(path.toStdString());
    if (!result.complete())
        m_services.message(QString::fromStdString(setupReadMessage(result, m_document.fileName())),
                           QString::fromStdString(result.reason));
    else
        rememberFile(path);
    showDescription();
    return result.complete();
}

// A setup text is taken whole or not at all: a refused one leaves the setup and
// its file name as they were.
bool TMainForm::readSetupText(const QString& path)
{
    text::TextFileResult read = text::readSetupTextFile(path.toStdString());
    if (!read.ok()) {
        m_services.message(QString::fromStdString(read.error));
        return false;
    }
    m_document.adopt(std::move(read.setup), path.toStdString());
    showDescription();
    rememberFile(path);
    for (const std::string& note : read.notes)
        m_services.message(QString::fromStdString(note));
    return true;
}

void TMainForm::rememberFile(const QString& path)
{
    addRecentFile(m_options.recentFiles, QFileInfo(path).absoluteFilePath().toStdString());
}

bool TMainForm::WriteSetupFile()
{
    if (m_document.fileName().empty()) {
        SaveSetupFileAs();
        return true;
    }
    fileDescriptionMemoExit();
    const auto result = writeDocument(m_document.fileName());
    showDescription();  // the description may have been cut to its 511 characters
    if (!result.ok()) {
        m_services.message(QString::fromStdString(setupWriteMessage(result, m_document.fileName())),
                           QString::fromStdString(result.reason));
        return false;
    }
    rememberFile(QString::fromStdString(m_document.fileName()));
    return true;
}

// A name ending in ".toml" is written as the setup text, any other as a setup file.
FileWriteResult TMainForm::writeDocument(const std::string& path)
{
    if (!text::namesSetupText(path)) return m_document.writeFile(path);
    m_document.setFileName(path);
    const FileWriteResult result = text::writeSetupTextFile(path, m_document.setup());
    if (result.ok()) m_document.TakeReferenceCopy();
    return result;
}

bool TMainForm::SaveSetupFileAs(const QString& initialName)
{
    const auto chosen = m_services.chooseSaveFile(initialName);
    if (!chosen) return true;
    if (chosen->isEmpty()) return false;
    m_document.setFileName(chosen->toStdString());
    WriteSetupFile();
    return true;
}

bool TMainForm::SaveSetupFile()
{
    return SaveSetupFileAs(QString::fromStdString(m_document.fileName()));
}

// --- buttons -----------------------------------------------------------------

void TMainForm::OpenButtonClick()
{
    OpenSetupFile();
    updateStatus();
}

void TMainForm::SaveButtonClick()
{
    SaveSetupFile();
    updateStatus();
}

void TMainForm::ExitButtonClick()
{
    close();
}

// An upload always sends a setup file freshly read from disk, and only a sealed one.
void TMainForm::UploadButtonClick()
{
    const bool opened = OpenSetupFile();
    updateStatus();
    if (!opened) return;
    if (VerifyCheckBytes(m_document.setup().image))
        openUploadDialog();
    else
        m_services.message(QString("Checksum Error in file %1")
                               .arg(QString::fromStdString(m_document.fileName())));
}

void TMainForm::DownloadButtonClick()
{
    const bool goOn = askSaveBeforeReplacing(true);
    updateStatus();
    if (goOn) openDownloadDialog();
}

void TMainForm::openUploadDialog()
{
    runDialog(new TUploadForm(m_port, m_document.setup(),
                              QString::fromStdString(m_document.fileName()), m_options, m_services,
                              this));
}

void TMainForm::openDownloadDialog()
{
    runDialog(new TDownloadForm(m_port, m_document.setup().image, m_services, this, &m_options));
}

// --- compare -----------------------------------------------------------------

void TMainForm::buildCompareMenu()
{
    auto* menu = new QMenu(CompareButton);
    menu->setObjectName("CompareMenu");
    menu->addAction("With a &File...", this, &TMainForm::compareWithFile);
    menu->addAction("With the &Indicator...", this, &TMainForm::compareWithIndicator);
    CompareButton->setMenu(menu);
    CompareButton->setPopupMode(QToolButton::InstantPopup);
}

void TMainForm::compareWithFile()
{
    const auto chosen = m_services.chooseOpenFile();
    if (!chosen) return;
    const text::AnySetupResult other = text::readAnySetupFile(chosen->toStdString());
    if (!other.ok()) {
        m_services.message(QString::fromStdString(other.error),
                           QString::fromStdString(other.reason));
        return;
    }
    fileDescriptionMemoExit();
    showComparison(text::diffSetups(m_document.setup(), other.setup), QFileInfo(*chosen).fileName());
}

// The indicator's setup is read as a download reads it, into a buffer of its own.
void TMainForm::compareWithIndicator()
{
    SetupImage read{};
    auto form = std::make_unique<TDownloadForm>(m_port, read, m_services, this, &m_options);
    form->leaveOutCompletionBox();
    if (form->exec() != QDialog::Accepted) return;
    fileDescriptionMemoExit();
    const Setup& mine = m_document.setup();
    showComparison(text::diffSetups(mine, indicatorSetup(read, mine)), "the indicator");
}

void TMainForm::showComparison(const std::vector<text::DiffRow>& rows, const QString& otherName)
{
    if (rows.empty())
        m_services.message(
            QString("No differences: this setup and %1 hold the same settings.").arg(otherName));
    else
        runDialog(new TCompareForm(rows, otherName, m_services, this));
}

// --- recent files and drops --------------------------------------------------

// Open File's drop-down: the files last opened or saved, a missing one greyed.
void TMainForm::buildRecentMenu()
{
    RecentMenu = new QMenu(OpenButton);
    RecentMenu->setObjectName("RecentMenu");
    RecentMenu->setToolTipsVisible(true);
    connect(RecentMenu, &QMenu::aboutToShow, this, &TMainForm::fillRecentMenu);
    OpenButton->setMenu(RecentMenu);
    OpenButton->setPopupMode(QToolButton::MenuButtonPopup);
    // The arrow takes only the mouse: the keyboard's way to the list.
    connect(new QShortcut(QKeySequence("Ctrl+Shift+O"), this), &QShortcut::activated, OpenButton,
            &QToolButton::showMenu);
}

void TMainForm::fillRecentMenu()
{
    RecentMenu->clear();
    int number = 0;
    for (const std::string& file : m_options.recentFiles) {
        const QString path = QString::fromStdString(file);
        QAction* action = RecentMenu->addAction(
            QString("&%1 %2").arg(++number).arg(QFileInfo(path).fileName()),
            this, [this, path] { openChosenFile(path); });
        action->setToolTip(path);
        action->setEnabled(QFileInfo(path).isFile());
    }
    if (number == 0) RecentMenu->addAction("No recent files")->setEnabled(false);
}

void TMainForm::openChosenFile(const QString& path)
{
    if (askSaveBeforeReplacing(false)) readSetupFile(path);
    updateStatus();
}

namespace {

// The one setup file or setup text being dragged, or nothing.
QString droppedSetup(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile()) return {};
    const QFileInfo file(data->urls().first().toLocalFile());
    const QString suffix = file.suffix().toLower();
    return file.isFile() && (suffix == "sf" || suffix == "toml") ? file.filePath() : QString();
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedSetup(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The drop ends first, so the window the file came from is not held up by the save
// question.
void TMainForm::dropEvent(QDropEvent* event)
{
    const QString path = droppedSetup(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] { openChosenFile(path); });
}

void TMainForm::HelpButton2Click()
{
    m_services.showHelp("contents");
}

void TMainForm::HelpButtonClick()
{
    m_services.showHelp("index");
}

void TMainForm::AboutButtonClick()
{
    runDialog(new TAboutBox(this));
}

void TMainForm::TallyScriptButtonClick()
{
    runDialog(new TCfgTSselectForm(m_document.setup(), m_services, this));
}

// The toolbar button takes no focus, so the memo is never left: its text is taken
// here, or the report would show the description as it was before.
void TMainForm::PrintButtonClick()
{
    fileDescriptionMemoExit();
    runDialog(new TReportForm(m_document.setup(), m_document.fileName(), todayShortDate(),
                              m_services, this));
}

void TMainForm::DisplayListButtonClick()
{
    fileDescriptionMemoExit();
    runDialog(new TDisplayForm(m_document, m_services, this));
}

// Unsaved edits go without a save question; the factory setup counts as a change
// to the current file, if there is one.
void TMainForm::DefaultsButtonClick()
{
    if (!m_services.askOkCancel("Reset All Parameters to Factory Defaults!")) return;
    m_document.resetToDefaults();
    showDescription();
    updateStatus();
}

}  // namespace quelvar
