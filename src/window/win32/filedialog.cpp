#include "filedialog.h"

#include <commdlg.h>

#include <vector>

#include "widetext.h"

namespace ordalis {
namespace {

// Long enough for any path Windows can hand back.
constexpr DWORD kNameCapacity = 32768;

// The file types as the dialog wants them: description and pattern, each
// ended by a NUL, and one more NUL at the end.
std::wstring Filter() {
  std::wstring filter;
  for (const FileType& type : kFileTypes) {
    filter += Wide(type.description) + L'\0' + Wide(type.pattern) + L'\0';
  }
  return filter + L'\0';
}

}  // namespace

std::optional<std::string> OpenFileDialog::Show(HWND owner, const FileDialogRequest& request) {
  std::vector<wchar_t> name(kNameCapacity, L'\0');
  Wide(name_box_.text()).copy(name.data(), name.size() - 1);
  const std::wstring filter = Filter();
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
