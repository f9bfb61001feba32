#pragma once

#include "model/param_items.h"

namespace quelvar {

inline SetupImage factoryImage()
{
    SetupImage image;
    ResetSetupToDefaults(image);
    return image;
}

}  // namespace quelvar
