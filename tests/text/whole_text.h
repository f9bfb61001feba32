#pragma once
// A short text as a technician writes it, made whole by the end marker export
// writes as its last line.

#include "text/setup_text.h"

#include <string>

namespace quelvar::text {

inline ImportResult importWhole(const std::string& text)
{
    return importSetupText(text + "\n[end]\n");
}

}  // namespace quelvar::text
