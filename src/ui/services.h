#pragma once
// Everything that talks to the person goes through Services, so a dialog can be
// built and driven in a test without a single real message box or file dialog.
//
// Usage in a dialog handler:
//     if (services.askYesNoCancel("Current file has changed. Save file?", fileName)
//         == Answer::Cancel) return;
//     services.error("Com port did not open", reason);   // reason: detail text, optional
//
// Texts are the system's own, word for word. The Qt implementation is QtServices
// (ui/qt_services.h); widget tests use ScriptedServices (tests/scripted_services.h).

#include <QString>
#include <optional>

namespace quelvar {

enum class Answer { Ok, Cancel, Yes, No };

// The icon of a box that asks OK or Cancel: the reset confirmation asks with a
// question mark, the compile error box with the error icon.
enum class BoxIcon { Question, Error };

class Services {
public:
    virtual ~Services() = default;

    // A plain box with an OK button; `detail` as for error.
    virtual void message(const QString& text, const QString& detail = {}) = 0;
    // A box with the error icon and an OK button; `detail` (for example the
    // operating system's reason) is shown in smaller print below the text.
    virtual void error(const QString& text, const QString& detail = {}) = 0;

    // The save question: no owner window, `caption` as the box's caption; Esc is Cancel.
    virtual Answer askYesNoCancel(const QString& text, const QString& caption) = 0;
    // A warning before something is replaced, Yes or No (No the default): true for Yes.
    virtual bool warnYesNo(const QString& text) = 0;
    // Confirmations: true when the person chose OK.
    virtual bool askOkCancel(const QString& text, BoxIcon icon = BoxIcon::Question) = 0;

    // The setup file dialogs; std::nullopt when the person cancelled.
    virtual std::optional<QString> chooseOpenFile() = 0;
    virtual std::optional<QString> chooseSaveFile(const QString& initialName) = 0;
    // Where to export a PDF (the setup report); std::nullopt when cancelled.
    virtual std::optional<QString> choosePdfFile(const QString& initialName) = 0;
    // Where to save a plain text (a comparison); std::nullopt when cancelled.
    virtual std::optional<QString> chooseTextFile(const QString& initialName) = 0;

    // Help by topic keyword ("CfgScale", "Upload", also "index" and "contents") or
    // by a control's help context number (3800 for Open File ...).
    virtual void showHelp(const QString& topic) = 0;
    virtual void showHelpContext(int number) = 0;
};

}  // namespace quelvar
