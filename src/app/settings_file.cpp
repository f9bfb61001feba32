#include "app/settings_file.h"

#include "serial/com_port.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quelvar {

namespace {

struct ComKey {
    const char* name;
    int defaultValue;
    std::int32_t ComPort::*field;
};

// In the order the settings file is read and written.
constexpr ComKey kComKeys[] = {
    {"comport", 1, &ComPort::portNumber}, {"baud", 57600, &ComPort::baudRate},
    {"parity", 'n', &ComPort::parity},    {"byteSize", 8, &ComPort::byteSize},
    {"stops", 0, &ComPort::stopBits},
};

bool canWrite(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists()) return file.isWritable();
    return QFileInfo(file.absolutePath()).isWritable();
}

}  // namespace

QString settingsFilePath(const QString& executablePath, const QString& configFolder)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + ".INI";
    const QString beside = executable.absoluteDir().filePath(name);
    if (canWrite(beside)) return beside;
    return QDir(configFolder).filePath(name);
}

QString defaultSettingsFilePath()
{
    return settingsFilePath(QCoreApplication::applicationFilePath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

void ReadSettings(const QString& path, ComPort& port)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup("Com");
    for (const auto& key : kComKeys) {
        bool ok = false;
        const int value = settings.value(key.name).toInt(&ok);
        port.*key.field = ok ? value : key.defaultValue;
    }
    settings.endGroup();

    DeviceMap devices;
    settings.beginGroup("Devices");
    for (const QString& key : settings.childKeys())
        devices[key.toStdString()] = settings.value(key).toString().toStdString();
    settings.endGroup();
    port.setDevices(std::move(devices));
}

bool WriteSettings(const QString& path, const ComPort& port)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup("Com");
    for (const auto& key : kComKeys)
        settings.setValue(key.name, port.*key.field);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace quelvar
