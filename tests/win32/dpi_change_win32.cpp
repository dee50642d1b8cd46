// Plays Windows moving the Ordalis window to a screen of another scale: sends
// the window WM_DPICHANGED for the DPI given as the argument (144 if none),
// with the frame Windows would suggest, then prints what the window became:
// "client WIDTHxHEIGHT, Source File at LEFT wide WIDTH", in pixels. (Its
// fonts are the window's own: another process cannot read them.) Exits 1
// when there is no Ordalis window.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  const int dpi = argc > 1 ? _wtoi(argv[1]) : 144;
  const HWND window = FindWindowW(L"frmOrdalis", nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "no Ordalis window\n");
    return 1;
  }
  RECT suggested{};
  GetWindowRect(window, &suggested);
  suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
  suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
  SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));

  RECT client{};
  GetClientRect(window, &client);
  const HWND button = FindWindowExW(window, nullptr, L"BUTTON", L"Source File");
  RECT place{};
  GetWindowRect(button, &place);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
  std::printf("client %ldx%ld, Source File at %ld wide %ld\n", client.right - client.left,
              client.bottom - client.top, place.left, place.right - place.left);
  return 0;
}
