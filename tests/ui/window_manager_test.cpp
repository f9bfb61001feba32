// The keyboard after a window closes, under a real window manager: this program
// starts its own Xvfb with openbox (both skipped when not installed) and shows real
// windows and message boxes there. Offscreen, Qt hands the focus back by itself and
// no loss shows.

#include "ui/qt_services.h"
#include "ui/window_keys.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace quelvar;

namespace {

pid_t spawn(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// Xvfb on a display it picks itself, openbox on it, and the application on both.
class VirtualDesktop : public ::testing::Environment {
public:
    void SetUp() override
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return;
        m_server = spawn({"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                          "1280x1024x24", "-nolisten", "tcp"});
        close(pipeEnds[1]);
        char number[16] = {};
        const bool ready = m_server && read(pipeEnds[0], number, sizeof number - 1) > 0;
        close(pipeEnds[0]);
        if (!ready) return;
        const std::string display = ":" + std::string(number, std::strcspn(number, "\n"));
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const QString started = QDir::temp().filePath("openbox-started-" + QString::number(getpid()));
        m_manager = spawn({"openbox", "--startup", "touch " + started.toStdString()});
        for (int i = 0; m_manager && i < 100 && !QFile::exists(started); ++i)
            usleep(50'000);
        if (!QFile::remove(started)) return;
        static int argc = 1;
        static char name[] = "window_manager_test";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QApplication>(argc, argv);
        installWindowKeys(*m_application);
    }
    void TearDown() override
    {
        m_application.reset();
        for (pid_t pid : {m_manager, m_server})
            if (pid) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
    }
    static bool running() { return QApplication::instance() != nullptr; }

private:
    pid_t m_server = 0, m_manager = 0;
    std::unique_ptr<QApplication> m_application;
};

// Runs `action` once a modal window of type W has the keyboard (from inside its
// own event loop).
template <typename W> void whenActive(std::function<void(W*)> action)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!window || !window->isActiveWindow()) return;
        timer->deleteLater();
        timer->stop();
        action(window);
    });
    timer->start(20);
}

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!VirtualDesktop::running()) GTEST_SKIP() << "no Xvfb with openbox here";
        main = std::make_unique<QMainWindow>();
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        layout->addWidget(new QPushButton("First"));
        layout->addWidget(opener = new QPushButton("Opener"));
        main->setCentralWidget(central);
        main->show();
        main->activateWindow();
        opener->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    void expectKeyboardBack()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return main->isActiveWindow(); }, 3000));
        EXPECT_EQ(QApplication::focusWidget(), opener);
    }

    std::unique_ptr<QMainWindow> main;
    QPushButton* opener = nullptr;
    QtServices services;
};

}  // namespace

// A dialog whose OK shows a message and then closes: the window manager gives the
// keyboard to the dialog, which is already gone.
TEST_F(WindowManagerTest, MessageBoxThatEndsItsDialogLeavesTheKeyboardBelow)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QDialog dialog(main.get());
        new QLineEdit(&dialog);
        auto* ok = new QPushButton("OK", &dialog);
        QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
            services.message("Register name is invalid");
            dialog.accept();
        });
        whenActive<QDialog>([&](QDialog*) {
            whenActive<QMessageBox>([](QMessageBox* message) {
                QTest::keyClick(message, Qt::Key_Return);
            });
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        dialog.exec();
        expectKeyboardBack();
    }
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new VirtualDesktop);
    return RUN_ALL_TESTS();
}
