#pragma once
// A rectangle on the screen or in a window, in pixels, as the settings file stores it.
// Thread rule: any thread (plain values).

#include <cstdint>

namespace vantrel {

struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace vantrel
