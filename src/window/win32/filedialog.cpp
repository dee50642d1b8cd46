#include "filedialog.h"

#include <shobjidl.h>

#include <vector>

#include "widetext.h"

namespace ordalis {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class Owned {
 public:
  Owned() = default;
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  Interface** out() { return &pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

std::optional<std::string> OpenFileDialog::Show(HWND owner, const FileDialogRequest& request) {
  // The Common Item Dialog opens in the folder it is given, always; the old
  // GetOpenFileName ignores a folder equal to the one of its first use.
  Owned<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(dialog.out())))) {
    return std::nullopt;
  }
  // A folder that is gone leaves the choice to Windows.
  Owned<IShellItem> folder;
  if (SUCCEEDED(SHCreateItemFromParsingName(Wide(request.initial_directory).c_str(), nullptr,
                                            IID_PPV_ARGS(folder.out())))) {
    dialog->SetFolder(folder.get());
  }
  dialog->SetFileName(Wide(name_box_.text()).c_str());
  dialog->SetTitle(Wide(request.title).c_str());

  std::vector<std::wstring> texts;
  for (const FileType& type : kFileTypes) {
    texts.push_back(Wide(type.description));
    texts.push_back(Wide(type.pattern));
  }
  std::vector<COMDLG_FILTERSPEC> types;
  for (std::size_t i = 0; i < texts.size(); i += 2) {
    types.push_back({texts[i].c_str(), texts[i + 1].c_str()});
  }
  dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
  dialog->SetFileTypeIndex(1);

  // An open dialog, never a save dialog: no question about overwriting. Its
  // defaults ask for a file that exists, which only the source needs.
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  options |= FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR | FOS_PATHMUSTEXIST;
  if (request.must_exist) {
    options |= FOS_FILEMUSTEXIST;
  } else {
    options &= ~static_cast<FILEOPENDIALOGOPTIONS>(FOS_FILEMUSTEXIST);
  }
  dialog->SetOptions(options);

  if (FAILED(dialog->Show(owner))) return std::nullopt;  // Cancelled, or it failed.
  Owned<IShellItem> chosen_item;
  if (FAILED(dialog->GetResult(chosen_item.out()))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(chosen_item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  const std::string chosen = Utf8(path);
  CoTaskMemFree(path);
  name_box_.Chosen(chosen);
  return chosen;
}

}  // namespace ordalis
