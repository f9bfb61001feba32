#include "editors/fixed_registers.h"

#include "model/image_map.h"

namespace quelvar {

std::string fixedRegisterText(const SetupImage& image, int reg)
{
    return DecimalToText(readDecimal(image, image::fixedRegisterOffset(reg)));
}

void storeFixedRegister(SetupImage& image, int reg, const PackedDecimal& value)
{
    writeDecimal(image, image::fixedRegisterOffset(reg), value);
}

}  // namespace quelvar
