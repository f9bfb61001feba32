#pragma once
// The indicator's feature switches and display intensity. Each switch is one byte
// of the setup image: any non-zero value means on; storing writes 1 or 0.

#include "model/setup.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace quelvar {

struct FeatureSwitch {
    std::size_t offset;
    bool optional;        // an optional feature of the indicator, else a standard one
    const char* caption;  // the choice's group box
    const char* onName;   // the radio buttons, "on" first
    const char* onText;
    const char* offName;
    const char* offText;
};

// In the order OK stores them.
std::span<const FeatureSwitch> featureSwitches();

bool isFeatureOn(const SetupImage& image, const FeatureSwitch& feature);
void storeFeature(SetupImage& image, const FeatureSwitch& feature, bool on);

std::uint8_t displayIntensity(const SetupImage& image);
// Keeps the low 8 bits, as every byte field does.
void storeDisplayIntensity(SetupImage& image, std::int32_t intensity);

}  // namespace quelvar
