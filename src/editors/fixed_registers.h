#pragma once
// The fixed registers 43 to 50: constants, as packed decimals, that setpoints and
// Tally Script functions compare against or compute with.

#include "model/packed_decimal.h"
#include "model/setup.h"

#include <string>

namespace quelvar {

inline constexpr int kFirstFixedRegister = 43;
inline constexpr int kLastFixedRegister = 50;

std::string fixedRegisterText(const SetupImage& image, int reg);
void storeFixedRegister(SetupImage& image, int reg, const PackedDecimal& value);

}  // namespace quelvar
