// Plays what Windows does when the focus reaches an option button: the
// button sends BN_CLICKED to its parent, checked or not (Wine sends
// nothing). Sends it for "Left most" to the Ordalis window, then prints
// whether the three number boxes are enabled, "1 1 1" for all. Exits 1 when
// there is no Ordalis window.
#include <windows.h>

#include <cstdio>

int wmain() {
  const HWND window = FindWindowW(L"frmOrdalis", nullptr);
  const HWND option = FindWindowExW(window, nullptr, L"BUTTON", L"Left most");
  if (window == nullptr || option == nullptr) {
    std::fprintf(stderr, "no Ordalis window\n");
    return 1;
  }
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(option), BN_CLICKED),
               reinterpret_cast<LPARAM>(option));
  // The number boxes are the first three edit controls, in tab order.
  HWND box = nullptr;
  for (int i = 0; i < 3; ++i) {
    box = FindWindowExW(window, box, L"EDIT", nullptr);
    std::printf(i == 0 ? "%d" : " %d", IsWindowEnabled(box) ? 1 : 0);
  }
  std::printf("\n");
  return 0;
}
