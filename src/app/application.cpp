#include "app/application.h"

#include "app/program_icon.h"

#include <QFont>
#include <QMessageBox>

namespace quelvar {

QuelvarApplication::QuelvarApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("quelvar");
    setOrganizationName("quelvar");
    setApplicationVersion("2.0");
    setWindowIcon(programIcon());
    // Liberation Sans has the metrics of the face the dialogs were laid out for.
    QFont font("Liberation Sans");
    font.setPointSize(9);
    setFont(font);
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
