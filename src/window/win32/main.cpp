// Ordalis for Windows: sorts the lines of a fixed-column text file by a key cut
// from fixed columns and writes them to a second file.
#include <windows.h>

#include "frmordalis.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  // Also declared in the manifest; this covers a copy that lost its manifest.
  // Sizes then follow the real DPI instead of being stretched as a bitmap.
  SetProcessDPIAware();
  frmOrdalis window(instance, show);
  return window.Run();
}
