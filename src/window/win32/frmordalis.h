// frmOrdalis: the one window of Ordalis on Windows, built with the Windows API
// alone. It picks the source and the target, shows the sort mode with its
// number boxes, and carries the menus.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "filedialog.h"
#include "shared/program_variables.h"
#include "sort/sort_run.h"
#include "window/logic/exit_settings.h"
#include "window/logic/form_load.h"
#include "window/logic/mode_look.h"
#include "window/logic/source_choice.h"

// The controls keep their form names (Text1, Option1, CmdExit, ...) and the
// handlers are named <Control>_<Event> (GetFile_Click, Form_Load). The window
// serves the sort run, start-up, the source choice and the exit as their host;
// what each does is decided there, not here.
class frmOrdalis : private ordalis::SortRunHost,
                   private ordalis::FormLoadHost,
                   private ordalis::SourceChoiceHost,
                   private ordalis::ExitHost {
 public:
  // Builds the window, runs start-up (Form_Load) and shows it.
  frmOrdalis(HINSTANCE instance, int show);
  frmOrdalis(const frmOrdalis&) = delete;
  frmOrdalis& operator=(const frmOrdalis&) = delete;
  ~frmOrdalis() override;

  // Runs the window's message loop until the program ends.
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Hands `message` to the window's keyboard handling (Tab, Enter, arrows) or
  // to the window it is for.
  static void Deliver(HWND window, MSG& message);

  // Builders, in the order the constructor calls them.
  void CreateFonts();
  void CreateFrame(HINSTANCE instance);
  void CreateControls(HINSTANCE instance);
  void CreateMenus();
  void FitLabelsToCaptions();

  // Handlers, in form order.
  void Form_Load();
  void Form_QueryUnload();
  void GetFile_Click();
  void TargetFile_Click();
  void CmdExit_Click();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void mExit_Click();
  void mAbout_Click();
  void mHowTo_Click();

  void OnCommand(int id, int code);
  LRESULT OnControlColour(HDC dc, HWND control);
  void ApplyModeLook(const ordalis::ModeLook& look);

  // SortRunHost, FormLoadHost, SourceChoiceHost and ExitHost.
  std::string ExecutableDirectory() override;
  std::optional<std::string> ShowTargetDialog(const ordalis::FileDialogRequest& request) override;
  void SetBusyPointer(bool busy) override;
  void ShowSameFileWarning() override;
  void EnableQuit() override;
  void ProcessPendingEvents() override;
  void StartProgram(const std::string& program, const std::string& argument) override;
  ordalis::SortMode SelectedMode() override;
  ordalis::KeyTexts BoxTexts() override;
  void SetBoxTexts(const ordalis::KeyTexts& texts) override;
  void ClearOptions() override;
  void SelectOption(ordalis::SortMode mode) override;
  void HideSameFileWarning() override;
  std::optional<std::string> ShowSourceDialog(const ordalis::FileDialogRequest& request) override;
  void EnableAndFocusTarget() override;
  void ReportSettingsNotSaved(const std::string& settings_file, const std::string& reason) override;
  void EndProgram() override;

  ordalis::ProgramVariables variables_;
  HWND window_ = nullptr;
  int dpi_x_ = 96;
  int dpi_y_ = 96;
  bool busy_ = false;
  HWND last_focus_ = nullptr;  // Given back when the window is active again.
  // What the controls show; until an option's click rule runs, every box is
  // enabled and nothing is highlighted.
  ordalis::ModeLook look_{.box_enabled = {true, true, true}};

  HFONT form_font_ = nullptr;
  HFONT bold_font_ = nullptr;    // A highlighted option's caption.
  HFONT label3_font_ = nullptr;  // Bold 7.8 pt.
  HBRUSH highlighted_box_brush_ = nullptr;
  HBRUSH same_file_brush_ = nullptr;

  HWND GetFile = nullptr;
  HWND TargetFile = nullptr;
  HWND CmdExit = nullptr;
  HWND SameFileTxt = nullptr;
  HWND Label3 = nullptr;
  HWND Text1 = nullptr;
  HWND Label1 = nullptr;
  HWND Option1 = nullptr;
  HWND Text2 = nullptr;
  HWND Label2 = nullptr;
  HWND Option2 = nullptr;
  HWND Text3 = nullptr;
  HWND Label4 = nullptr;
  HWND Option3 = nullptr;
  ordalis::OpenFileDialog Source;
  ordalis::OpenFileDialog Target;

  HMENU mFile = nullptr;
  HMENU mHelp = nullptr;
};
