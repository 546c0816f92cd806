#include "platform/platform.h"

#include <cstdlib>
#include <cstdio>

namespace {
std::unique_ptr<Backend> current;

const char* const stepNames[] = {
    "CreateDevice",  "SetCooperativeLevel", "SetDisplayMode", "CreatePrimary",
    "CreateClipper", "BindClipper",         "AttachClipper",  "CreateBackBuffer",
    "CreatePalette", "CreateSheet",         "SetColorKey",
};
}  // namespace

bool operator==(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
}

const char* displayStepName(DisplayStep step) { return stepNames[static_cast<int>(step)]; }

bool displayStepFromName(const std::string& name, DisplayStep& out) {
    const int index = indexOfName(stepNames, name);
    if (index >= 0) out = static_cast<DisplayStep>(index);
    return index >= 0;
}

Backend& platform() {
    if (!current) {
        std::fputs("varnholt: no platform back end was chosen\n", stderr);
        std::abort();
    }
    return *current;
}

void setPlatform(std::unique_ptr<Backend> backend) { current = std::move(backend); }
