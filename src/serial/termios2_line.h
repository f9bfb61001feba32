#pragma once
// Line settings through termios2, kept apart because <asm/termbits.h> and
// <termios.h> cannot be included in the same file.

#include "serial/serial_driver.h"

namespace quelvar {

// The device's current settings as a control block (modem lines not included).
bool readLineSettings(int fd, ControlBlock& block);
// Raw mode plus the block's line settings; false when the device refuses them or
// does not take the baud rate (the previous settings are put back then).
bool writeLineSettings(int fd, const ControlBlock& block);

}  // namespace quelvar
