// Ordalis for Windows: sorts the lines of a fixed-column text file by a key cut
// from fixed columns and writes them to a second file.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "dpi.h"
#include "frmordalis.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  ordalis::BecomeDpiAware();
  // The common dialogs host shell extensions and drag and drop, which need
  // COM in a single-threaded apartment; OleInitialize gives both.
  const HRESULT ole = OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  int result = 0;
  {
    frmOrdalis window(instance, show);
    result = window.Run();
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return result;
}
