// frmOrdalis as the host of the form logic: what the option group, the sort
// run, start-up, the source choice and the exit ask of the window, done with
// the Windows API. Included by the window alone.
#pragma once

#include <optional>
#include <string>

#include "files/directory_of.h"
#include "formfont.h"
#include "frmordalis.h"
#include "viewerstart.h"
#include "widetext.h"
#include "window/logic/form_host.h"
#include "window/logic/form_table.h"

class frmOrdalis::Host final : public ordalis::FormHost {
 public:
  explicit Host(frmOrdalis& form) : form_(form) {}

  // ---------------------------------------------------------------------
  // The option group

  bool IsOptionChecked(std::size_t option) override {
    return SendMessageW(form_.OptionButton(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  void SetOptionChecked(std::size_t option, bool checked) override {
    // BM_SETCHECK runs no click handler.
    SendMessageW(form_.OptionButton(option), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  void ApplyModeLook(const ordalis::ModeLook& look) override {
    form_.look_ = look;
    for (std::size_t i = 0; i < 3; ++i) {
      const HWND box = form_.Control(ordalis::kNumberBoxNames[i]);
      EnableWindow(box, look.box_enabled[i] ? TRUE : FALSE);
      InvalidateRect(box, nullptr, TRUE);
      const HWND option = form_.OptionButton(i);
      const HFONT font =
          ordalis::OptionCaptionLook(look, i).bold ? form_.bold_font_ : form_.form_font_;
      SendMessageW(option, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      InvalidateRect(option, nullptr, TRUE);
    }
  }

  void SetOptionTabStop(std::size_t option) override {
    // BM_SETCHECK takes WS_TABSTOP from an auto radio button it clears, which
    // would leave Tab no way into a group with none checked.
    for (std::size_t i = 0; i < 3; ++i) {
      const HWND button = form_.OptionButton(i);
      LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
      style = i == option ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
      SetWindowLongPtrW(button, GWL_STYLE, style);
    }
  }

  // ---------------------------------------------------------------------
  // The sort run, start-up, the source choice and the exit

  std::string ExecutableDirectory() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length =
          GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length < path.size()) {
        path.resize(length);
        break;
      }
      path.resize(path.size() * 2);
    }
    return ordalis::AppPathOf(ordalis::Utf8(path.substr(0, path.find_last_of(L'\\'))));
  }

  std::optional<std::string> ShowTargetDialog(const ordalis::FileDialogRequest& request) override {
    return form_.Target.Show(form_.window_, request);
  }

  std::optional<std::string> ShowSourceDialog(const ordalis::FileDialogRequest& request) override {
    return form_.Source.Show(form_.window_, request);
  }

  void SetBusyPointer(bool busy) override {
    form_.busy_ = busy;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? 32514 : 32512)));  // IDC_WAIT, IDC_ARROW
  }

  void ShowSameFileWarning() override { ShowWindow(form_.Control("SameFileTxt"), SW_SHOW); }
  void HideSameFileWarning() override { ShowWindow(form_.Control("SameFileTxt"), SW_HIDE); }
  void EnableQuit() override { EnableWindow(form_.Control("CmdExit"), TRUE); }

  void ProcessPendingEvents() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // For the main loop.
        return;
      }
      Deliver(form_.window_, message);
    }
  }

  void StartProgram(const std::string& program, const std::string& argument) override {
    ordalis::StartViewer(ordalis::Wide(program),
                         ordalis::Wide(argument));  // A missing one is skipped.
  }

  ordalis::KeyTexts BoxTexts() override {
    std::u16string texts[3];
    for (std::size_t i = 0; i < 3; ++i) {
      const std::wstring text = ordalis::TextOf(form_.Control(ordalis::kNumberBoxNames[i]));
      texts[i].assign(text.begin(), text.end());
    }
    return {texts[0], texts[1], texts[2]};
  }

  void SetBoxTexts(const ordalis::KeyTexts& texts) override {
    const std::u16string* const values[] = {&texts.text1, &texts.text2, &texts.text3};
    for (std::size_t i = 0; i < 3; ++i) {
      const std::wstring text(values[i]->begin(), values[i]->end());
      SetWindowTextW(form_.Control(ordalis::kNumberBoxNames[i]), text.c_str());
    }
  }

  void EnableAndFocusTarget() override {
    const HWND target = form_.Control("TargetFile");
    EnableWindow(target, TRUE);
    SetFocus(target);
  }

  void ReportSettingsNotSaved(const std::string& message) override {
    MessageBoxW(form_.window_, ordalis::Wide(message).c_str(),
                ordalis::Wide(ordalis::kWindowTitle).c_str(), MB_OK | MB_ICONWARNING);
  }

  void EndProgram() override { ExitProcess(0); }

  void FocusControl(std::string_view name) override {
    form_.last_focus_ = form_.Control(name);
    SetFocus(form_.last_focus_);
  }

  void ShowPlainMessage(std::string_view title, std::string_view text) override {
    MessageBoxW(form_.window_, ordalis::Wide(text).c_str(), ordalis::Wide(title).c_str(), MB_OK);
  }

 private:
  frmOrdalis& form_;
};
