#include "app/settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quelvar {

SettingsFiles settingsFiles(const QString& executablePath, const QString& configFolder)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + ".INI";
    return {executable.absoluteDir().filePath(name).toStdString(),
            QDir(configFolder).filePath(name).toStdString()};
}

SettingsFiles defaultSettingsFiles()
{
    return settingsFiles(QCoreApplication::applicationFilePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

}  // namespace quelvar
