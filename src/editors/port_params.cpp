#include "editors/port_params.h"

#include "model/bytes.h"
#include "model/image_map.h"

namespace quelvar {

namespace {
constexpr std::uint8_t kEightDataBits = 0x04;
constexpr int kParityCount = 3;
}  // namespace

std::span<const std::string_view> dataBitsNames()
{
    static constexpr std::string_view names[] = {"   7", "   8"};
    return names;
}

std::span<const std::string_view> parityNames()
{
    static constexpr std::string_view names[] = {" none", " even", " odd"};
    return names;
}

std::span<const std::string_view> baudRateNames()
{
    static constexpr std::string_view names[] = {" 9600",  " 4800",  " 2400", " 1200",
                                                 "   600", "   300", "   150"};
    return names;
}

std::span<const std::string_view> txFormatNames()
{
    static constexpr std::string_view names[] = {" AND", " Condec", " Weightronix", " Ohas"};
    return names;
}

std::span<const std::string_view> printerNames()
{
    static constexpr std::string_view names[] = {" Parallel", " Com Port 1"};
    return names;
}

LineMode lineMode(std::uint8_t mode)
{
    if (mode < 1 || mode > 6) return {};
    return {(mode & kEightDataBits) ? 1 : 0, (mode - 1) % kParityCount};
}

std::optional<std::uint8_t> modeByte(LineMode mode)
{
    if (mode.dataBits < 0 || mode.parity < 0) return std::nullopt;
    return static_cast<std::uint8_t>((mode.dataBits == 0 ? 1 : kEightDataBits) + mode.parity);
}

PrintCode readPrintCode(std::span<const std::uint8_t> image, int code)
{
    const std::size_t offset = image::printCodeOffset(code);
    return {readByte(image, offset), readByte(image, offset + 1), readByte(image, offset + 2)};
}

void writePrintCode(std::span<std::uint8_t> image, int code, const PrintCode& bytes)
{
    const std::size_t offset = image::printCodeOffset(code);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        writeByte(image, offset + i, bytes[i]);
    writeByte(image, offset + bytes.size(), 0);
}

}  // namespace quelvar
