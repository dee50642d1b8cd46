#include "filedialog.h"

#include <commdlg.h>

#include <vector>

#include "widetext.h"

namespace ordalis {
namespace {

// Long enough for any path Windows can hand back.
constexpr DWORD kNameCapacity = 32768;

// kDataFileFilter with each '|' as the terminator the dialog wants, and a
// second terminator at the end.
std::wstring FilterOf(std::string_view pipes) {
  std::wstring filter;
  for (const char c : pipes)
    filter += c == '|' ? L'\0' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  filter += L'\0';
  return filter;
}

}  // namespace

std::optional<std::string> OpenFileDialog::Show(HWND owner, const FileDialogRequest& request) {
  std::vector<wchar_t> name(kNameCapacity, L'\0');
  Wide(name_box_.text()).copy(name.data(), name.size() - 1);
  const std::wstring filter = FilterOf(kDataFileFilter);
  const std::wstring title = Wide(request.title);
  const std::wstring folder = Wide(request.initial_directory);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kNameCapacity;
  dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // An open dialog, never a save dialog: no question about overwriting.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (request.must_exist) dialog.Flags |= OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;  // Cancelled or failed.

  const std::string chosen = Utf8(name.data());
  name_box_.Chosen(chosen);
  return chosen;
}

}  // namespace ordalis
