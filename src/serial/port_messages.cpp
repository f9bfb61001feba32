#include "serial/port_messages.h"

#include "serial/com_port.h"
#include "ui/services.h"

namespace quelvar {

void reportOpenFailure(Services& services, const ComPort& port)
{
    const std::string& reason = port.openFailureReason();
    services.error("Com port did not open",
                   QString::fromStdString(reason.empty() ? port.lastError() : reason));
}

void reportConfigureFailure(Services& services, const ComPort& port)
{
    services.error("Com port configuration failed",
                   QString::fromStdString(port.configureFailureReason()));
}

}  // namespace quelvar
