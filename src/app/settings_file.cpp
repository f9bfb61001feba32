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
    const bool installed =
        QDir(executable.absolutePath()) == QDir(QStringLiteral(QUELVAR_INSTALL_BINDIR));
    return {executable.absoluteDir().filePath(name).toStdString(),
            QDir(configFolder).filePath(name).toStdString(), installed};
}

SettingsFiles defaultSettingsFiles()
{
    return settingsFiles(QCoreApplication::applicationFilePath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

}  // namespace quelvar
