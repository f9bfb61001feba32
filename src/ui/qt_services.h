#pragma once
// The Services of a running program: QMessageBox, QFileDialog and the help viewer.

#include "ui/services.h"

#include <QPointer>

class QFileDialog;
class QWidget;

namespace quelvar {

// The caption of the program's message boxes.
inline constexpr const char* kApplicationTitle = "Quelvar Version 2";

class HelpViewer;

class QtServices : public Services {
public:
    // `helpOwner` parents the help viewer window (usually the main window); may be null.
    explicit QtServices(QWidget* helpOwner = nullptr);
    ~QtServices() override;

    void message(const QString& text, const QString& detail = {}) override;
    void error(const QString& text, const QString& detail = {}) override;
    Answer askYesNoCancel(const QString& text, const QString& caption) override;
    bool warnYesNo(const QString& text) override;
    bool askOkCancel(const QString& text, BoxIcon icon = BoxIcon::Question) override;
    std::optional<QString> chooseOpenFile() override;
    std::optional<QString> chooseSaveFile(const QString& initialName) override;
    std::optional<QString> choosePdfFile(const QString& initialName) override;
    std::optional<QString> chooseTextFile(const QString& initialName) override;
    void showHelp(const QString& topic) override;
    void showHelpContext(int number) override;

    void setHelpOwner(QWidget* owner);

private:
    HelpViewer& helpViewer();
    std::optional<QString> runFileDialog(QFileDialog& dialog);
    std::optional<QString> chooseFileToWrite(const QString& filter, const QString& suffix,
                                             const QString& initialName);

    QPointer<QWidget> m_helpOwner;
    QPointer<HelpViewer> m_helpViewer;
    QString m_fileFolder;
};

}  // namespace quelvar
