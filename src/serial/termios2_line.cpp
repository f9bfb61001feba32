#include "serial/termios2_line.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cstdlib>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

namespace quelvar {

namespace {

std::uint8_t sizeBits(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

std::uint8_t parityCode(tcflag_t cflag)
{
    if (!(cflag & PARENB)) return kNoParity;
    if (cflag & CMSPAR) return (cflag & PARODD) ? kMarkParity : kSpaceParity;
    return (cflag & PARODD) ? kOddParity : kEvenParity;
}

bool applyLine(termios2& t, const ControlBlock& b)
{
    static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    static constexpr tcflag_t parities[] = {0, PARENB | PARODD, PARENB, PARENB | PARODD | CMSPAR,
                                            PARENB | CMSPAR};
    if (b.baudRate == 0 || b.baudRate > 0x7FFFFFFF) return false;  // 0 would hang up the line
    if (b.byteSize < 5 || b.byteSize > 8 || b.parity > kSpaceParity || b.stopBits > 2) return false;

    // Raw, 8-bit clean: no translation, no echo, no signals, reads return at once.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | IUCLC | IMAXBEL | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOKE | ICANON | ISIG | IEXTEN);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    t.c_cflag &= ~(CBAUD | CIBAUD | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | BOTHER | sizes[b.byteSize - 5] | parities[b.parity];
    // One and a half stop bits exist only for 5-bit characters here; it counts as one.
    if (b.stopBits == 2) t.c_cflag |= CSTOPB;
    if (b.ctsOutputFlow) t.c_cflag |= CRTSCTS;
    if (b.parityCheck) t.c_iflag |= INPCK;
    if (b.xonXoffOutput) t.c_iflag |= IXON;
    if (b.xonXoffInput) t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(b.xonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(b.xoffChar);
    t.c_ospeed = t.c_ispeed = b.baudRate;
    return true;
}

// A UART that cannot make the rate reports the one it chose; more than 3% off fails.
bool rateTaken(std::uint32_t wanted, std::uint32_t actual)
{
    return std::llabs(static_cast<long long>(actual) - wanted) * 100 <= 3LL * wanted;
}

}  // namespace

bool readLineSettings(int fd, ControlBlock& b)
{
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    b = ControlBlock{};
    b.length = 28;
    b.baudRate = t.c_ospeed;
    b.binaryMode = 1;
    b.parityCheck = (t.c_iflag & INPCK) ? 1 : 0;
    b.ctsOutputFlow = (t.c_cflag & CRTSCTS) ? 1 : 0;
    b.xonXoffOutput = (t.c_iflag & IXON) ? 1 : 0;
    b.xonXoffInput = (t.c_iflag & IXOFF) ? 1 : 0;
    b.byteSize = sizeBits(t.c_cflag);
    b.parity = parityCode(t.c_cflag);
    b.stopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    b.xonChar = static_cast<char>(t.c_cc[VSTART]);
    b.xoffChar = static_cast<char>(t.c_cc[VSTOP]);
    b.eofChar = static_cast<char>(t.c_cc[VEOF]);
    return true;
}

bool writeLineSettings(int fd, const ControlBlock& b)
{
    termios2 old{};
    if (ioctl(fd, TCGETS2, &old) != 0) return false;
    termios2 t = old;
    if (!applyLine(t, b) || ioctl(fd, TCSETS2, &t) != 0) return false;
    termios2 now{};
    if (ioctl(fd, TCGETS2, &now) == 0 && rateTaken(b.baudRate, now.c_ospeed)) return true;
    ioctl(fd, TCSETS2, &old);
    return false;
}

}  // namespace quelvar
