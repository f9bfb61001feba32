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

// Ctrl+C in the terminal (SIGINT) or SIGTERM closes `window` as the Exit button
// does: the save question comes first and the settings are written at the end.
void closeOnTerminationSignals(QWidget* window);

// Shows the message of an exception in the standard error box.
void showException(const std::exception& e);

// Runs start-up and the message loop; an exception that escapes them is shown and
// ends the program with status 1.
int runGuardedStartup(const std::function<int()>& run);

}  // namespace quelvar
