#pragma once
// `quelvar --screenshots DIR` renders every registered dialog in its factory state to
// DIR/<ClassName>.png. A dialog (or other window) registers itself with one line in
// its own .cpp file:
//
//     QUELVAR_SCREENSHOT(TCfgScaleForm,
//                        [](ScreenshotContext& c) { return new TCfgScaleForm(c.setup.image,
//                        c.services, c.owner); })
//
// The context holds a factory setup, a closed serial port, scripted-free services
// that answer nothing, and the main window as owner. The program links quelvar_ui as
// a whole archive, so every registration is kept.

#include "model/setup.h"

#include <functional>
#include <vector>

class QWidget;

namespace quelvar {

class ComPort;
class Services;
class SetupDocument;

struct ScreenshotContext {
    SetupDocument& document;
    Setup& setup;  // document's setup, for dialogs that take blocks
    ComPort& port;
    Services& services;
    QWidget* owner;
};

using ScreenshotFactory = std::function<QWidget*(ScreenshotContext&)>;

struct ScreenshotEntry {
    const char* className;
    ScreenshotFactory factory;
};

// Returns true so it can initialise a static.
bool registerScreenshot(const char* className, ScreenshotFactory factory);
// Sorted by class name.
std::vector<ScreenshotEntry> screenshotEntries();

}  // namespace quelvar

#define QUELVAR_SCREENSHOT_CAT2(a, b) a##b
#define QUELVAR_SCREENSHOT_CAT(a, b) QUELVAR_SCREENSHOT_CAT2(a, b)
#define QUELVAR_SCREENSHOT(ClassName, ...)                                                         \
    namespace {                                                                                    \
    [[maybe_unused]] const bool QUELVAR_SCREENSHOT_CAT(kScreenshotRegistered_, ClassName) =        \
        ::quelvar::registerScreenshot(#ClassName, __VA_ARGS__);                                    \
    }
