#include "app/simulated_com1.h"

namespace quelvar {

bool SimulatedCom1Driver::open(const std::string& device, std::string& reason)
{
    m_active->close();
    m_active = device == kDevice ? static_cast<SerialDriver*>(&m_simulator) : &m_device;
    return m_active->open(device, reason);
}

}  // namespace quelvar
