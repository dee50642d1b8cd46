// frmOrdalis as the host of the form logic: the option group, and what the
// sort run, start-up, the source choice and the exit ask of the window.
#include "frmordalis.h"

#include "shared/directory_of.h"
#include "viewerstart.h"
#include "widetext.h"
#include "window/logic/form_table.h"
#include "window/logic/option_group.h"

using ordalis::FileDialogRequest;
using ordalis::KeyTexts;
using ordalis::ModeLook;
using ordalis::SortMode;
using ordalis::TextOf;
using ordalis::Wide;

namespace {

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring FromU16(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

// ---------------------------------------------------------------------------
// The option group

bool frmOrdalis::IsOptionChecked(std::size_t option) {
  return SendMessageW(OptionButton(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void frmOrdalis::SetOptionChecked(std::size_t option, bool checked) {
  // BM_SETCHECK runs no click handler.
  SendMessageW(OptionButton(option), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void frmOrdalis::ApplyModeLook(const ModeLook& look) {
  look_ = look;
  const HWND boxes[] = {Text1, Text2, Text3};
  for (std::size_t i = 0; i < 3; ++i) {
    EnableWindow(boxes[i], look.box_enabled[i] ? TRUE : FALSE);
    InvalidateRect(boxes[i], nullptr, TRUE);
    const HFONT font = ordalis::OptionCaptionLook(look, i).bold ? bold_font_ : form_font_;
    SendMessageW(OptionButton(i), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    InvalidateRect(OptionButton(i), nullptr, TRUE);
  }
}

void frmOrdalis::SetOptionTabStop(std::size_t option) {
  // BM_SETCHECK takes WS_TABSTOP from an auto radio button it clears, which
  // would leave Tab no way into a group with none checked.
  for (std::size_t i = 0; i < 3; ++i) {
    const HWND button = OptionButton(i);
    LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    style = i == option ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(button, GWL_STYLE, style);
  }
}

// ---------------------------------------------------------------------------
// What the sort run, start-up, the source choice and the exit ask of the window

std::string frmOrdalis::ExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ordalis::AppPathOf(ordalis::Utf8(path.substr(0, path.find_last_of(L'\\'))));
}

std::optional<std::string> frmOrdalis::ShowTargetDialog(const FileDialogRequest& request) {
  return Target.Show(window_, request);
}

void frmOrdalis::SetBusyPointer(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? 32514 : 32512)));  // IDC_WAIT, IDC_ARROW
}

void frmOrdalis::ShowSameFileWarning() { ShowWindow(SameFileTxt, SW_SHOW); }

void frmOrdalis::EnableQuit() { EnableWindow(CmdExit, TRUE); }

void frmOrdalis::ProcessPendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // For the main loop.
      return;
    }
    Deliver(window_, message);
  }
}

void frmOrdalis::StartProgram(const std::string& program, const std::string& argument) {
  ordalis::StartViewer(Wide(program), Wide(argument));  // A missing viewer is skipped.
}

SortMode frmOrdalis::SelectedMode() { return ordalis::SelectedMode(*this); }

KeyTexts frmOrdalis::BoxTexts() {
  return {U16(TextOf(Text1)), U16(TextOf(Text2)), U16(TextOf(Text3))};
}

void frmOrdalis::SetBoxTexts(const KeyTexts& texts) {
  SetWindowTextW(Text1, FromU16(texts.text1).c_str());
  SetWindowTextW(Text2, FromU16(texts.text2).c_str());
  SetWindowTextW(Text3, FromU16(texts.text3).c_str());
}

void frmOrdalis::ClearOptions() { ordalis::ClearOptions(*this); }

void frmOrdalis::SelectOption(SortMode mode) { ordalis::SelectOption(*this, mode); }

void frmOrdalis::HideSameFileWarning() { ShowWindow(SameFileTxt, SW_HIDE); }

std::optional<std::string> frmOrdalis::ShowSourceDialog(const FileDialogRequest& request) {
  return Source.Show(window_, request);
}

void frmOrdalis::EnableAndFocusTarget() {
  EnableWindow(TargetFile, TRUE);
  SetFocus(TargetFile);
}

void frmOrdalis::ReportSettingsNotSaved(const std::string& message) {
  MessageBoxW(window_, Wide(message).c_str(), Wide(ordalis::kWindowTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

void frmOrdalis::EndProgram() { ExitProcess(0); }
