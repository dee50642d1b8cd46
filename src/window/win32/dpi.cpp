#include "dpi.h"

namespace ordalis {
namespace {

// Looked up rather than linked, so that the program still starts on a
// Windows that lacks them.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void BecomeDpiAware() {
  using SetContextFunction = BOOL(WINAPI*)(HANDLE);
  static const auto set_context =
      User32Function<SetContextFunction>("SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (set_context == nullptr || !set_context(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) {
    SetProcessDPIAware();
  }
}

int DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi(window); dpi != 0) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT FrameAround(RECT client, DWORD style, int dpi) {
  using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<AdjustFunction>("AdjustWindowRectExForDpi");
  if (adjust != nullptr) {
    adjust(&client, style, TRUE, 0, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&client, style, TRUE, 0);
  }
  return client;
}

}  // namespace ordalis
