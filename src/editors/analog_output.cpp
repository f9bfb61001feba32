#include "editors/analog_output.h"

#include "model/bytes.h"
#include "model/image_map.h"
#include "script/name_tables.h"

namespace quelvar {

namespace {
constexpr std::size_t kSpan = image::kAnalogOutput;  // items 81, 82, 83 in this order
constexpr std::size_t kOffset = image::kAnalogOutput + 4;
constexpr std::size_t kRegister = image::kAnalogOutput + 8;
}  // namespace

int analogRegisterRow(const SetupImage& image)
{
    return LookupByCode(registerTable(), readByte(image, kRegister));
}

std::string analogRegisterName(const SetupImage& image)
{
    return std::string(registerTable().name(analogRegisterRow(image)));
}

bool storeAnalogRegister(SetupImage& image, std::string_view name)
{
    const int index = LookupByName(registerTable(), name);
    if (index == 0 && !name.empty()) return false;
    writeByte(image, kRegister, static_cast<std::uint8_t>(registerTable().code(index)));
    return true;
}

std::int32_t analogOffset(const SetupImage& image)
{
    return static_cast<std::int32_t>(readLong(image, kOffset));
}

std::int32_t analogSpan(const SetupImage& image)
{
    return static_cast<std::int32_t>(readLong(image, kSpan));
}

void storeAnalogOffset(SetupImage& image, std::int32_t offset)
{
    writeLong(image, kOffset, static_cast<std::uint32_t>(offset));
}

void storeAnalogSpan(SetupImage& image, std::int32_t span)
{
    writeLong(image, kSpan, static_cast<std::uint32_t>(span));
}

}  // namespace quelvar
