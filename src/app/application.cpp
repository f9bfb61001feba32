#include "app/application.h"

#include "ui/program_icon.h"
#include "ui/window_keys.h"

#include <QDialog>
#include <QFont>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
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
bool signalReceived = false;
QPointer<QWidget> mainWindow;

void writeSignal(int signal)
{
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] auto written = ::write(signalPipe[1], &byte, 1);
}

// Dialogs close as Cancel does; a message box waits for its answer (a question
// dismissed could count as No and throw a setup away), and the exit question
// comes on top of it.
void dismissModalDialogs()
{
    for (int guard = 0; guard < 32; ++guard) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<QMessageBox*>(dialog)) return;
        dialog->reject();
    }
}

// Runs from the event loop, whichever loop is running (a box's included).
void onSignal(int signal)
{
    if (signal == SIGINT && mainWindow) {
        dismissModalDialogs();
        QMetaObject::invokeMethod(mainWindow, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    // Every event loop ends, and a box opened from here on closes at once.
    signalReceived = true;
    QCoreApplication::exit(0);
}

}  // namespace

// The handler only writes a byte; the rest happens in the event loop.
TerminationSignals::TerminationSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1) onSignal(byte);
    });
    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool TerminationSignals::received() const
{
    return signalReceived;
}

int TerminationSignals::exec(QWidget* window)
{
    if (signalReceived) return 0;
    mainWindow = window;
    return QApplication::exec();
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
