#include "transfer/indicator_copy.h"

#include "serial/com_port.h"

namespace quelvar {

Setup indicatorSetup(const SetupImage& image, const Setup& beside)
{
    Setup setup = beside;
    setup.image = image;
    return setup;
}

std::string portName(const ComPort& port)
{
    return "COM" + std::to_string(port.portNumber);
}

BackupResult keepIndicatorImage(const SetupImage& image, const std::string& port,
                                const std::string& what)
{
    Setup backup;
    backup.image = image;
    backup.description = "Indicator on " + port + ", " + what;
    return writeBackup(backupFolder(), backup, port, std::time(nullptr));
}

}  // namespace quelvar
