#include "ui/window_keys.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Widget tests run on the offscreen platform and never touch a real user's settings;
// the keys work as in the program.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    quelvar::installWindowKeys(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
