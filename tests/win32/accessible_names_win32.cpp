// Reads the Ordalis window's controls as a screen reader on Windows meets
// them. Prints, one line each:
//   z-order: every child from the top, a box as [box], anything else by its
//            caption;
//   tab:     the tab stops in that order, which is the order Tab walks;
//   names:   the name Microsoft Active Accessibility gives each box, the
//            text of the static just before it in z-order, looking back
//            past nothing but controls that are not both WS_GROUP and
//            WS_TABSTOP; "-" for none.
// Exits 1 when there is no Ordalis window.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

bool IsBox(HWND control) { return _wcsicmp(ClassOf(control).c_str(), L"EDIT") == 0; }

std::wstring Shown(HWND control) { return IsBox(control) ? L"[box]" : TextOf(control); }

// The name MSAA gives a control without a caption of its own.
std::wstring AccessibleName(HWND box) {
  for (HWND before = GetWindow(box, GW_HWNDPREV); before != nullptr;
       before = GetWindow(before, GW_HWNDPREV)) {
    if (_wcsicmp(ClassOf(before).c_str(), L"STATIC") == 0) return TextOf(before);
    const LONG_PTR style = GetWindowLongPtrW(before, GWL_STYLE);
    if ((style & WS_GROUP) != 0 && (style & WS_TABSTOP) != 0) break;
  }
  return L"-";
}

}  // namespace

int wmain() {
  const HWND window = FindWindowW(L"frmOrdalis", nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "no Ordalis window\n");
    return 1;
  }
  std::wstring z_order = L"z-order:";
  std::wstring tab = L"tab:";
  std::wstring names = L"names:";
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    z_order += L" " + Shown(child) + L";";
    if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0) tab += L" " + Shown(child) + L";";
    if (IsBox(child)) names += L" " + AccessibleName(child) + L";";
  }
  std::printf("%ls\n%ls\n%ls\n", z_order.c_str(), tab.c_str(), names.c_str());
  return 0;
}
