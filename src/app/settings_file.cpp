#include "app/settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quelvar {

SettingsFiles settingsFiles(const QString& executablePath, const QString& configHome)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + ".INI";
    SettingsFiles files;
    files.beside = executable.absoluteDir().filePath(name).toStdString();
    files.besideIsSystemDefault =
        QDir(executable.absolutePath()) == QDir(QStringLiteral(QUELVAR_INSTALL_BINDIR));
    placeUserSettings(files, configHome.toStdString(), name.toStdString());
    return files;
}

SettingsFiles defaultSettingsFiles()
{
    return settingsFiles(QCoreApplication::applicationFilePath(),
                         QString::fromStdString(userConfigHome()));
}

}  // namespace quelvar
