// The real message boxes: their buttons, captions and detail text, answered by
// pressing a button as a person would.

#include "ui/help_viewer.h"
#include "ui/qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quelvar;

namespace {
struct SeenBox {
    QString caption, text, detail;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};
}  // namespace

TEST(QtServices, BoxesHaveTheSystemsButtonsAndCaptions)
{
    QtServices services;
    SeenBox seen;
    auto act = [&seen](std::function<void(QMessageBox*)> action) {
        QTimer::singleShot(0, [&seen, action] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->informativeText(), box->standardButtons(),
                    box->icon()};
            action(box);
        });
    };
    auto press = [&act](QMessageBox::StandardButton button) {
        act([button](QMessageBox* box) { box->button(button)->click(); });
    };
    auto keys = [&act](Qt::Key key) { act([key](QMessageBox* box) { QTest::keyClick(box, key); }); };

    press(QMessageBox::Cancel);
    EXPECT_EQ(services.askYesNoCancel("Current file has changed. Save file?", "/tmp/a.sf"),
              Answer::Cancel);
    EXPECT_EQ(seen.caption, "/tmp/a.sf");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    // Esc at the save question is Cancel; Enter at a warning is No.
    keys(Qt::Key_Escape);
    EXPECT_EQ(services.askYesNoCancel("Current file has changed. Save file?", ""), Answer::Cancel);
    keys(Qt::Key_Return);
    EXPECT_FALSE(services.warnYesNo("a.sf is not a setup file: 36 KB. Open it anyway?"));
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    press(QMessageBox::Ok);
    EXPECT_TRUE(services.askOkCancel("Reset All Parameters to Factory Defaults!"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Question);

    press(QMessageBox::Cancel);
    EXPECT_FALSE(services.askOkCancel("Line 3: unknown instruction", BoxIcon::Error));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);

    press(QMessageBox::Ok);
    services.error("Com port did not open", "/dev/ttyS0: Permission denied");
    EXPECT_EQ(seen.caption, "Quelvar Version 2");
    EXPECT_EQ(seen.text, "Com port did not open");
    EXPECT_EQ(seen.detail, "/dev/ttyS0: Permission denied");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    press(QMessageBox::Ok);
    services.message("Checksum Error in file /tmp/a.sf");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.detail, "");
}

TEST(QtServices, FileDialogsOfferSetupFilesAndRememberTheFolder)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath("line3.sf");
    QFile(existing).open(QIODevice::WriteOnly);
    QtServices services;
    struct Seen {
        QStringList filters;
        QString suffix, folder;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
    } seen;
    auto inspect = [&seen](const QString& choose) {
        QTimer::singleShot(0, [&seen, choose] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = {dialog->nameFilters(), dialog->defaultSuffix(),
                    dialog->directory().absolutePath(), dialog->fileMode()};
            if (choose.isEmpty()) return dialog->reject();
            dialog->selectFile(choose);
            static_cast<QDialog*>(dialog)->accept();  // as the Open button does
        });
    };

    inspect(existing);
    EXPECT_EQ(services.chooseOpenFile(), std::optional<QString>(existing));
    EXPECT_EQ(seen.filters, (QStringList{"Tally Script Files (*.sf)", "Setup text (*.toml)",
                                         "All Files (*)"}));
    EXPECT_EQ(seen.suffix, "sf");
    EXPECT_EQ(seen.mode, QFileDialog::ExistingFile);
    EXPECT_EQ(seen.folder, QDir::currentPath());

    inspect({});
    EXPECT_EQ(services.chooseSaveFile({}), std::nullopt);
    EXPECT_EQ(seen.filters, (QStringList{"Tally Script File (*.sf)", "Setup text (*.toml)",
                                         "All Files (*)"}));
    EXPECT_EQ(seen.folder, folder.path());  // the folder chosen last
    // A setup text's name keeps its type.
    inspect({});
    services.chooseSaveFile("site.toml");
    EXPECT_EQ(seen.suffix, "toml");
}

TEST(QtServices, HelpOpenedFromAModalDialogTakesInputInFrontOfIt)
{
    QWidget main;
    main.show();
    QtServices services(&main);
    QDialog dialog(&main);
    const auto inDialog = [&] {
        services.showHelp("CfgTSedit");
        auto* viewer = dialog.findChild<HelpViewer*>();
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
        EXPECT_EQ(viewer->windowHandle()->transientParent(), dialog.windowHandle());
        auto* contents = viewer->findChild<QListWidget*>("contentsList");
        QListWidgetItem* item = contents->item(contents->count() - 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualItemRect(item).center());
        EXPECT_EQ(viewer->currentTopic(), item->data(Qt::UserRole).toString());
        QTest::keyClick(viewer, Qt::Key_Escape);
        EXPECT_FALSE(viewer->isVisible());
        EXPECT_TRUE(dialog.isVisible());
    };
    QTimer::singleShot(0, [&] {
        inDialog();
        dialog.reject();
    });
    dialog.exec();
}
