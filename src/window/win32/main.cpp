// Ordalis for Windows: sorts the lines of a fixed-column text file by a key cut
// from fixed columns and writes them to a second file.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "frmordalis.h"

namespace {

// Per-Monitor v2 as the manifest declares, for a copy that lost its
// manifest; Windows before 10 (1703) knows only the system DPI.
void BecomeDpiAware() {
  using SetContextFunction = BOOL(WINAPI*)(HANDLE);
  const auto set_context = reinterpret_cast<SetContextFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (set_context == nullptr || !set_context(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) {
    SetProcessDPIAware();
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  BecomeDpiAware();
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
