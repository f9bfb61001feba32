#include "app/settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace quelvar {

namespace {

// The bin folder of the prefix this build was configured for, or of any prefix the
// package's files were installed to: a program there finds the package's copyright
// file where the install put it. A build folder or an unpacked copy has none.
bool isInstalled(const QDir& folder)
{
    return folder == QDir(QStringLiteral(QUELVAR_INSTALL_BINDIR)) ||
           QFileInfo::exists(folder.filePath(QStringLiteral(QUELVAR_INSTALLED_MARK)));
}

}  // namespace

SettingsFiles settingsFiles(const QString& executablePath, const QString& configHome)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + ".INI";
    SettingsFiles files;
    files.beside = executable.absoluteDir().filePath(name).toStdString();
    files.besideIsSystemDefault = isInstalled(executable.absoluteDir());
    placeUserSettings(files, configHome.toStdString(), name.toStdString());
    return files;
}

SettingsFiles defaultSettingsFiles()
{
    SettingsFiles files = settingsFiles(QCoreApplication::applicationFilePath(),
                                        QString::fromStdString(userConfigHome()));
    files.system = systemSettingsFiles(std::getenv("XDG_CONFIG_DIRS"),
                                       QFileInfo(QString::fromStdString(files.beside))
                                           .fileName()
                                           .toStdString());
    return files;
}

}  // namespace quelvar
