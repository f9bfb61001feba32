// Ctrl+C (SIGINT) while the editor runs with a dialog open.

#include "app/application.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace quelvar;

namespace {

// A main window whose exit question was answered Cancel.
struct StayingWindow : QWidget {
    int closeAttempts = 0;
    void closeEvent(QCloseEvent* event) override
    {
        ++closeAttempts;
        event->ignore();
    }
};

}  // namespace

// The dialog goes at once as Cancel would, then the window is closed as its Exit
// button closes it.
TEST(TerminationSignals, SigintCancelsTheOpenDialogThenClosesTheWindow)
{
    TerminationSignals termination;
    StayingWindow window;
    window.show();
    int dialogResult = -1;
    QElapsedTimer clock;
    qint64 dialogMs = -1;
    QTimer::singleShot(0, &window, [&] {
        QDialog dialog(&window);
        QTimer::singleShot(20, [] { std::raise(SIGINT); });
        clock.start();
        dialogResult = dialog.exec();
        dialogMs = clock.elapsed();
        QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
    });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(0); });  // never hang the suite
    termination.exec(&window);
    EXPECT_EQ(dialogResult, QDialog::Rejected);
    EXPECT_LT(dialogMs, 1000);
    EXPECT_EQ(window.closeAttempts, 1);
    EXPECT_FALSE(termination.received());
}
