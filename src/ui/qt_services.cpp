#include "ui/qt_services.h"

#include "ui/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace quelvar {

namespace {

QWidget* activeOwner()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

int execBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons, QWidget* owner, const QString& detail = {})
{
    QMessageBox box(icon, caption, text, buttons, owner);
    // The reason stays in sight below the system's own text, not behind a Details button.
    if (!detail.isEmpty()) box.setInformativeText(detail);
    return box.exec();
}

Answer toAnswer(int button)
{
    switch (button) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

void prepareFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode, QStringList filters,
                       const QString& folder, const QString& suffix = "sf")
{
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters << "All Files (*)");
    dialog.setDirectory(folder);
    dialog.setDefaultSuffix(suffix);
    dialog.setSizeGripEnabled(true);
}

const QString kSetupTextFilter = QStringLiteral("Setup text (*.toml)");

}  // namespace

// Both setup file dialogs start in the process's current directory, and later in
// the folder last chosen.
QtServices::QtServices(QWidget* helpOwner)
    : m_helpOwner(helpOwner), m_fileFolder(QDir::currentPath())
{
}

std::optional<QString> QtServices::runFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    m_fileFolder = dialog.directory().absolutePath();
    return dialog.selectedFiles().first();
}

QtServices::~QtServices()
{
    delete m_helpViewer.data();
}

void QtServices::setHelpOwner(QWidget* owner)
{
    m_helpOwner = owner;
}

void QtServices::message(const QString& text, const QString& detail)
{
    execBox(QMessageBox::NoIcon, QString(kApplicationTitle), text, QMessageBox::Ok, activeOwner(),
            detail);
}

void QtServices::error(const QString& text, const QString& detail)
{
    execBox(QMessageBox::Critical, QString(kApplicationTitle), text, QMessageBox::Ok, activeOwner(),
            detail);
}

// The save question has no owner window: the file name is its caption.
Answer QtServices::askYesNoCancel(const QString& text, const QString& caption)
{
    return toAnswer(execBox(QMessageBox::NoIcon, caption, text,
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, nullptr));
}

bool QtServices::warnYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString(kApplicationTitle), text,
                    QMessageBox::Yes | QMessageBox::No, activeOwner());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtServices::askOkCancel(const QString& text, BoxIcon icon)
{
    const auto qtIcon = icon == BoxIcon::Error ? QMessageBox::Critical : QMessageBox::Question;
    const QString caption =
        icon == BoxIcon::Error ? QStringLiteral("Error") : QStringLiteral("Confirm");
    return execBox(qtIcon, caption, text, QMessageBox::Ok | QMessageBox::Cancel, activeOwner()) ==
           QMessageBox::Ok;
}

std::optional<QString> QtServices::chooseOpenFile()
{
    QFileDialog dialog(activeOwner());
    prepareFileDialog(dialog, QFileDialog::AcceptOpen, {"Tally Script Files (*.sf)", kSetupTextFilter},
                      m_fileFolder);
    return runFileDialog(dialog);
}

std::optional<QString> QtServices::chooseSaveFile(const QString& initialName)
{
    QFileDialog dialog(activeOwner());
    prepareFileDialog(dialog, QFileDialog::AcceptSave, {"Tally Script File (*.sf)", kSetupTextFilter},
                      m_fileFolder);
    // A name typed without its extension takes the chosen type's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f == kSetupTextFilter ? "toml" : "sf");
    });
    if (initialName.endsWith(".toml", Qt::CaseInsensitive)) {
        dialog.selectNameFilter(kSetupTextFilter);
        dialog.setDefaultSuffix("toml");
    }
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    return runFileDialog(dialog);
}

std::optional<QString> QtServices::choosePdfFile(const QString& initialName)
{
    return chooseFileToWrite("PDF Files (*.pdf)", "pdf", initialName);
}

std::optional<QString> QtServices::chooseTextFile(const QString& initialName)
{
    return chooseFileToWrite("Text Files (*.txt)", "txt", initialName);
}

std::optional<QString> QtServices::chooseFileToWrite(const QString& filter, const QString& suffix,
                                                     const QString& initialName)
{
    QFileDialog dialog(activeOwner());
    prepareFileDialog(dialog, QFileDialog::AcceptSave, {filter}, m_fileFolder, suffix);
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    return runFileDialog(dialog);
}

void QtServices::showHelp(const QString& topic)
{
    helpViewer().showTopic(topic);
}

void QtServices::showHelpContext(int number)
{
    helpViewer().showContext(number);
}

// The help window belongs to the modal dialog in front, if there is one: any other
// window would stay behind it and take no input until the dialog closes. It closes
// with that dialog.
HelpViewer& QtServices::helpViewer()
{
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal ? modal : m_helpOwner.data();
    if (!m_helpViewer)
        m_helpViewer = new HelpViewer(owner);
    else if (m_helpViewer->parentWidget() != owner)
        m_helpViewer->setParent(owner, m_helpViewer->windowFlags());
    return *m_helpViewer;
}

}  // namespace quelvar
