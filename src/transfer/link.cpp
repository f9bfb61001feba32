#include "transfer/link.h"

namespace quelvar {

namespace {

void writeCommand(ComPort& port, std::string_view command)
{
    port.Write({reinterpret_cast<const std::uint8_t*>(command.data()), command.size()});
}

}  // namespace

void SendResetSequence(ComPort& port)
{
    port.WriteString(kResetEscapes);
    port.WriteString(kResetX0);
}

void SendStatusRequest(ComPort& port)
{
    port.WriteString(kStatusRequest);
}

void SendWriteCommand(ComPort& port)
{
    writeCommand(port, kWriteCommand);
}

void SendReadCommand(ComPort& port)
{
    writeCommand(port, kReadCommand);
}

}  // namespace quelvar
