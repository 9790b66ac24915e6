#pragma once
// Where the about box opens: at the main window's top + 30 and left + 220, moved back inside
// the screen's free area when it would reach past it.
// Thread rule: any thread (pure function).

#include <algorithm>

#include "common/window_rect.h"

namespace vantrel {

inline WindowRect PlaceAboutBox(const WindowRect& mainWindow, int width, int height,
                                const WindowRect& screen) {
    WindowRect box{mainWindow.left + 220, mainWindow.top + 30, width, height};
    box.left = std::max(screen.left, std::min(box.left, screen.left + screen.width - width));
    box.top = std::max(screen.top, std::min(box.top, screen.top + screen.height - height));
    return box;
}

}  // namespace vantrel
