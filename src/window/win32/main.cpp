// Ordalis for Windows: sorts the lines of a fixed-column text file by a key cut
// from fixed columns and writes them to a second file.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "dpi.h"
#include "frmordalis.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  ordalis::BecomeDpiAware();
  // The file dialogs are COM objects that host shell extensions and drag and
  // drop, which need a single-threaded apartment; OleInitialize gives both.
  // It is never undone: the program ends at once (ExitProcess) from every
  // way out of the window, as the form's Exit and close box say it must.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  frmOrdalis window(instance, show);
  return window.Run();
}
