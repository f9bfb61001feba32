#include "editors/misc_settings.h"

#include "model/bytes.h"
#include "model/image_map.h"

#include <array>

namespace quelvar {

namespace {

constexpr std::array<FeatureSwitch, 6> kFeatureSwitches{{
    {image::kTtlRemoteControl, false, "TTL Inputs Activate Tallyscript Functions", "ATSFenable",
     "Enable", "ATSFdisable", "Disable"},
    {image::kWatchdog, false, "Watch-Dog Timer", "WDTEnable", "Enable", "WDTDisable", "Disable"},
    {image::kBattery, false, "Battery", "BatInButton", "Installed", "BatOutButton",
     "Not Installed"},
    {image::kLinearization, true, "Multi-point Linerization", "MPLEButton", "Enable", "MPLDButton",
     "Disable"},
    {image::kPeakDetect, true, "Peak Detect", "PDEButton", "Enable", "PDDButton", "Disable"},
    {image::kIdAutoErase, true, "ID Auto-erase", "IDAEyes", "Enable", "IDAEno", "Disable"},
}};

}  // namespace

std::span<const FeatureSwitch> featureSwitches()
{
    return kFeatureSwitches;
}

bool isFeatureOn(const SetupImage& image, const FeatureSwitch& feature)
{
    return readByte(image, feature.offset) != 0;
}

void storeFeature(SetupImage& image, const FeatureSwitch& feature, bool on)
{
    writeByte(image, feature.offset, on ? 1 : 0);
}

std::uint8_t displayIntensity(const SetupImage& image)
{
    return readByte(image, image::kDisplayIntensity);
}

void storeDisplayIntensity(SetupImage& image, std::int32_t intensity)
{
    writeByte(image, image::kDisplayIntensity, static_cast<std::uint8_t>(intensity & 0xFF));
}

}  // namespace quelvar
