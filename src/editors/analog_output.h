#pragma once
// The analog output's register: the register whose value the output follows, a
// register table code.

#include "model/setup.h"

#include <string>
#include <string_view>

namespace quelvar {

// The name of the register the output follows; empty when no register carries
// the stored code (0 is no register).
std::string analogRegisterName(const SetupImage& image);
// The row of that register in a list filled from the register table (0: none).
int analogRegisterRow(const SetupImage& image);
// Stores the code of the register named exactly `name`; an empty name stores 0.
// False, with the byte unchanged, when no register has that name.
bool storeAnalogRegister(SetupImage& image, std::string_view name);

}  // namespace quelvar
