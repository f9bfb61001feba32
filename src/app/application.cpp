#include "app/application.h"

#include "ui/program_icon.h"
#include "ui/window_keys.h"

#include <QFont>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <unistd.h>

namespace quelvar {

QuelvarApplication::QuelvarApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("quelvar");
    setOrganizationName("quelvar");
    setApplicationVersion(QUELVAR_VERSION);
    setWindowIcon(programIcon());
    // Liberation Sans has the metrics of the face the dialogs were laid out for.
    QFont font("Liberation Sans");
    font.setPointSize(9);
    setFont(font);
    installWindowKeys(*this);
}

bool QuelvarApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException(e);
        return false;
    }
}

namespace {
int signalPipe[2] = {-1, -1};

void writeSignal(int signal)
{
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}
}  // namespace

// The handler only writes a byte; the window is closed from the event loop.
void closeOnTerminationSignals(QWidget* window)
{
    if (::pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte = 0;
        [[maybe_unused]] auto got = ::read(signalPipe[0], &byte, 1);
        window->close();
    });
    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void showException(const std::exception& e)
{
    QMessageBox::critical(QApplication::activeWindow(), kApplicationTitle,
                          QString::fromLocal8Bit(e.what()));
}

int runGuardedStartup(const std::function<int()>& run)
{
    try {
        return run();
    } catch (const std::exception& e) {
        showException(e);
        return 1;
    }
}

}  // namespace quelvar
