// Dots per inch on Windows, screen by screen: the per-monitor functions of
// Windows 10 where they exist, the system DPI before that.
#pragma once

#include <windows.h>

namespace ordalis {

// Makes the process Per-Monitor v2 DPI aware, as its manifest declares, for
// a copy that lost its manifest; on older Windows, system DPI aware.
void BecomeDpiAware();

// The DPI of the screen `window` is on; the system's for nullptr.
int DpiOf(HWND window);

// The frame with `style` and a menu bar around `client`, at `dpi`.
RECT FrameAround(RECT client, DWORD style, int dpi);

}  // namespace ordalis
