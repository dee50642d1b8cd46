// Plays Windows moving the Ordalis window to a screen of another scale, for
// the DPI given as the argument (144 if none): asks the window the size it
// wants there (WM_GETDPISCALEDSIZE), then sends WM_DPICHANGED with the frame
// of that size that Windows would suggest, and prints what the window became:
// "client WIDTHxHEIGHT, Source File at LEFT wide WIDTH", in pixels. Both
// messages carry a pointer, which Wine does not carry between processes, so
// what they point at is put into the window's own process. (Its fonts are the
// window's own: another process cannot read them.) Exits 1 when there is no
// Ordalis window.
#include <windows.h>

#include <cstdio>

namespace {

// Memory in another process, for a message's pointer to point at there.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) {
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Write(const void* data, SIZE_T size) {
    return address_ != nullptr && WriteProcessMemory(process_, address_, data, size, nullptr);
  }
  bool Read(void* data, SIZE_T size) {
    return address_ != nullptr && ReadProcessMemory(process_, address_, data, size, nullptr);
  }
  LPARAM pointer() const { return reinterpret_cast<LPARAM>(address_); }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int dpi = argc > 1 ? _wtoi(argv[1]) : 144;
  const HWND window = FindWindowW(L"frmOrdalis", nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "no Ordalis window\n");
    return 1;
  }
  RECT suggested{};
  GetWindowRect(window, &suggested);
  // Windows scales the frame linearly unless the window answers otherwise.
  SIZE size{MulDiv(suggested.right - suggested.left, dpi, 96),
            MulDiv(suggested.bottom - suggested.top, dpi, 96)};
  RemoteBlock block(window, sizeof(RECT));
  if (block.Write(&size, sizeof size) &&
      SendMessageW(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, static_cast<WPARAM>(dpi),
                   block.pointer()) != 0) {
    block.Read(&size, sizeof size);
  }
  suggested.right = suggested.left + size.cx;
  suggested.bottom = suggested.top + size.cy;
  if (!block.Write(&suggested, sizeof suggested)) {
    std::fprintf(stderr, "cannot reach the Ordalis process\n");
    return 1;
  }
  SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), block.pointer());

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
