#pragma once
// Pictures of the plug-in's windows for a person to look at: a window (frame included) saved as
// a 24-bit BMP into the folder named by STATS_SCREENSHOT_DIR; nothing when it is not set.
#include <windows.h>

#include <string>

namespace stats::testing {

// Returns the path written, or "" when no folder is set or the capture failed.
std::string saveScreenshot(HWND window, const std::string& name);

// The colour of one pixel of a window's client area, read from the screen.
COLORREF clientPixel(HWND window, int x, int y);

}  // namespace stats::testing
