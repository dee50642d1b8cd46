// frmOrdalis: the one window of Ordalis on Windows, built with the Windows API
// alone. It picks the source and the target, shows the sort mode with its
// number boxes, and carries the menus.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include <windows.h>

#include "filedialog.h"
#include "formcolours.h"
#include "window/logic/form_handlers.h"
#include "window/logic/mode_look.h"

// The controls keep their form names (Text1, Option1, CmdExit, ...), found
// by Control(name). The handlers (GetFile_Click, Form_Load, ...) are the
// form logic's FormHandlers, bound to the controls' ids by name; the window
// serves them through its Host.
class frmOrdalis {
 public:
  // Builds the window, runs start-up (Form_Load) and shows it.
  frmOrdalis(HINSTANCE instance, int show);
  frmOrdalis(const frmOrdalis&) = delete;
  frmOrdalis& operator=(const frmOrdalis&) = delete;
  ~frmOrdalis();

  // Runs the window's message loop until the program ends.
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Hands `message` to the window's keyboard handling (Tab, Enter, arrows) or
  // to the window it is for.
  static void Deliver(HWND window, MSG& message);

  // Builders, in the order the constructor calls them.
  void CreateFrame(HINSTANCE instance);
  void CreateControls(HINSTANCE instance);
  void CreateMenus();
  // Places every control from the form's twips at the window's DPI, with
  // fonts made for it; again whenever the window moves to a screen of
  // another DPI.
  void LayOut();
  void LoadIcons();  // The title bar's and the taskbar's, for the window's DPI.
  void MakeFonts();
  void FitLabelsToCaptions();
  void FitFrameToClient();

  void OnCommand(int id, int code);
  LRESULT OnControlColour(HDC dc, HWND control);
  // Draws `button` as the default one, the one Enter presses; nullptr for none.
  void SetDefaultButton(HWND button);
  // The control called `name` in the form's table.
  HWND Control(std::string_view name) const;
  HWND OptionButton(std::size_t option) const;
  int Scale(int twips) const;

  // What the form logic asks of the window (frmordalis_host.h).
  class Host;
  std::unique_ptr<Host> host_;
  std::unique_ptr<ordalis::FormHandlers> handlers_;

  HWND window_ = nullptr;
  int dpi_ = 96;  // Of the screen the window is on.
  bool busy_ = false;
  HWND last_focus_ = nullptr;  // Given back when the window is active again.
  ordalis::ModeLook look_ = ordalis::kStartUpLook;

  HFONT form_font_ = nullptr;
  HFONT bold_font_ = nullptr;    // A highlighted option's caption.
  HFONT label3_font_ = nullptr;  // Bold 7.8 pt.
  ordalis::FormColours colours_;
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;

  ordalis::OpenFileDialog Source;
  ordalis::OpenFileDialog Target;

  HMENU mFile = nullptr;
  HMENU mHelp = nullptr;
};
