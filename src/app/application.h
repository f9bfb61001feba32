#pragma once
// The program's QApplication: title, icon, fonts, and the last line of defence for
// exceptions. An exception that escapes a handler is shown in an error box and
// the program goes on; one that escapes start-up is shown and ends the program.

#include "ui/qt_services.h"

#include <QApplication>
#include <exception>
#include <functional>

namespace quelvar {

class QuelvarApplication : public QApplication {
public:
    QuelvarApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// SIGTERM and SIGINT (Ctrl+C in the editor's terminal) end the editor cleanly at any
// time after start, a box shown at start-up included: SIGTERM ends the program at
// once, without a question; SIGINT, once the main window runs, dismisses the dialogs
// that are open (as Cancel would) and closes the window as its Exit button does. The settings are written either way, when the main window goes.
// Made before anything can show a box; start-up stops once a signal has come.
class TerminationSignals {
public:
    TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool received() const;
    // Runs the event loop of `window`, unless a signal ended start-up: then 0.
    int exec(QWidget* window);
};

// Shows the message of an exception in the standard error box.
void showException(const std::exception& e);

// Runs start-up and the message loop; an exception that escapes them is shown and
// ends the program with status 1.
int runGuardedStartup(const std::function<int()>& run);

}  // namespace quelvar
