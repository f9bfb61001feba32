#include "editors/analog_output.h"

#include "model/bytes.h"
#include "model/image_map.h"
#include "script/name_tables.h"

namespace quelvar {

namespace {
constexpr std::size_t kRegister = image::kAnalogOutput + 8;  // after the span and offset
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

}  // namespace quelvar
