#pragma once
// The main window: the program's hub. It owns no data of its own: the setup
// document, the serial port and the services are made by main() and live for the
// whole run. Every editor dialog is opened from here, modally, with this window as
// owner, and released when it closes (see runDialog).
//
// Start-up is two calls, so tests and the screenshot run can build the window
// without touching a settings file or a serial device:
//     TMainForm form(document, port, services);
//     form.FormCreate(settingsFiles);  // settings, port, factory setup, reference copy
//     form.createHiddenDownloadDialog();
// Destruction runs FormDestroy: settings written (only after FormCreate), port closed.

#include "model/editor_options.h"
#include "serial/com_settings.h"
#include "text/setup_text.h"
#include "ui/latin1_text.h"

#include <QMainWindow>
#include <QString>
#include <optional>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace quelvar {

class ComPort;
class Services;
class SetupDocument;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(SetupDocument& document, ComPort& port, Services& services,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    void FormCreate(const SettingsFiles& settings);
    // One settings file, read and written.
    void FormCreate(const QString& settingsPath);
    void createHiddenDownloadDialog();

    // For this run COM1 names `device` (the simulated indicator), whatever the
    // settings file says; the caption says so. Call before FormCreate.
    void simulateCom1(const QString& device);

    // The setup file flows; each returns what the system's function returns.
    bool OpenSetupFile();
    bool readSetupFile(const QString& path);
    bool WriteSetupFile();
    bool SaveSetupFileAs(const QString& initialName = {});
    bool SaveSetupFile();
    bool IsSetupChanged();

    // The files last opened or saved, newest first, and the other options kept in
    // the settings file.
    const EditorOptions& options() const { return m_options; }

public slots:
    void OpenButtonClick();
    void SaveButtonClick();
    void ExitButtonClick();
    void UploadButtonClick();
    void DownloadButtonClick();
    void compareWithFile();
    void compareWithIndicator();
    void HelpButton2Click();
    void AboutButtonClick();
    void DefaultsButtonClick();
    void HelpButtonClick();
    void TallyScriptButtonClick();
    void PrintButtonClick();
    void DisplayListButtonClick();
    void fileDescriptionMemoExit();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildToolbar();
    QWidget* buildCentral();
    QWidget* buildButtonGroup();
    void buildStatusBar();
    void addToolButton(QToolButton*& button, const char* name, const QString& caption,
                       const QString& hint, int helpContext, QIcon icon);
    QPushButton* makeButton(QPushButton*& button, const char* name, const QString& caption,
                            const QString& hint, int helpContext);
    void connectButtons();
    void focusFirstEditor();
    void FormActivate();
    void FormDestroy();
    bool askSaveBeforeReplacing(bool prefillName);
    void showDescription();
    void updateStatus();
    void applySimulatedCom1();
    void restoreRealCom1();
    void openAndConfigurePort();
    // Shows `dialog` modally with this window as owner and releases it.
    void runDialog(QDialog* dialog);
    void openUploadDialog();
    void openDownloadDialog();
    bool readSetupText(const QString& path);
    FileWriteResult writeDocument(const std::string& path);
    void rememberFile(const QString& path);
    void buildCompareMenu();
    void buildRecentMenu();
    void fillRecentMenu();
    // Opens `path` after the save question, as Open File does after its dialog.
    void openChosenFile(const QString& path);
    void showComparison(const std::vector<text::DiffRow>& rows, const QString& otherName);

    SetupDocument& m_document;
    ComPort& m_port;
    Services& m_services;
    std::optional<SettingsFiles> m_settings;  // none until FormCreate: nothing is written at exit
    QString m_simulatedCom1;
    std::optional<std::string> m_realCom1;  // the Devices entry the simulated COM1 stands in for
    MemoText m_memoText;                    // the description as the memo shows it
    EditorOptions m_options;

    QLabel* headingLabel;
    QToolBar* ToolBar;
    QToolButton* OpenButton;
    QToolButton* SaveButton;
    QToolButton* ExitButton;
    QToolButton* UploadButton;
    QToolButton* DownloadButton;
    QToolButton* CompareButton;
    QToolButton* PrintButton;
    QToolButton* SetupButton;
    QToolButton* HelpButton2;
    QToolButton* AboutButton;
    QPushButton* ScaleButton;
    QPushButton* IOports;
    QPushButton* MiscButton;
    QPushButton* PrintLabelsButton;
    QPushButton* PrintFormatButton;
    QPushButton* FixedRegButton;
    QPushButton* KeyboardButton;
    QPushButton* SetpointButton;
    QPushButton* TimerButton;
    QPushButton* TallyScriptButton;
    QPushButton* PasswordsButton;
    QPushButton* DisplayListButton;
    QPushButton* DefaultsButton;
    QPushButton* HelpButton;
    QMenu* RecentMenu;
    QPlainTextEdit* fileDescriptionMemo;
    QLabel* fileNameStatus;  // the current file's path, "No file" before the first
    QLabel* changedStatus;   // "Changed" while the setup differs from its reference copy
};

}  // namespace quelvar
