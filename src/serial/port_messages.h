#pragma once
// The boxes that say a port did not open or configure, with the system's reason
// as the detail text. The main window shows them at start, the port settings
// dialog after a change.

namespace quelvar {

class ComPort;
class Services;

void reportOpenFailure(Services& services, const ComPort& port);
void reportConfigureFailure(Services& services, const ComPort& port);

}  // namespace quelvar
