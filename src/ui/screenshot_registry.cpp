#include "ui/screenshot_registry.h"

#include <algorithm>
#include <cstring>

namespace quelvar {

namespace {
std::vector<ScreenshotEntry>& registry()
{
    static std::vector<ScreenshotEntry> entries;
    return entries;
}
}  // namespace

bool registerScreenshot(const char* className, ScreenshotFactory factory)
{
    registry().push_back({className, std::move(factory)});
    return true;
}

std::vector<ScreenshotEntry> screenshotEntries()
{
    auto entries = registry();
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return std::strcmp(a.className, b.className) < 0;
    });
    return entries;
}

}  // namespace quelvar
