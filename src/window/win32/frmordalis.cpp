#include "frmordalis.h"

#include <uxtheme.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "resource.h"
#include "viewerstart.h"
#include "widetext.h"
#include "window/logic/form_table.h"

using ordalis::FileDialogRequest;
using ordalis::KeyTexts;
using ordalis::ModeLook;
using ordalis::SortMode;
using ordalis::Wide;

namespace {

constexpr wchar_t kWindowClass[] = L"frmOrdalis";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Control ids follow the form's table; menu entries come after them.
constexpr int kFirstControlId = 100;
constexpr int kExitId = 200;
constexpr int kAboutId = 201;
constexpr int kHowToId = 202;

constexpr int ControlId(std::string_view name) {
  int index = 0;
  for (const ordalis::FormControl& control : ordalis::kFormControls) {
    if (control.name == name) break;
    ++index;
  }
  return kFirstControlId + index;
}

// Pixels of `twips` at `dpi` dots per inch.
int Scale(int twips, int dpi) {
  return MulDiv(twips, dpi, static_cast<int>(ordalis::kTwipsPerInch));
}

COLORREF ToColorRef(ordalis::Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// A TrueType face where there is one (Windows maps MS Sans Serif to Microsoft
// Sans Serif): it scales to any DPI and takes bold at every size.
HFONT MakeFont(double points, int dpi, bool bold) {
  const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, Wide(ordalis::kFormFontFamily).c_str());
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring FromU16(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

frmOrdalis::frmOrdalis(HINSTANCE instance, int show) {
  const HDC screen = GetDC(nullptr);
  dpi_x_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpi_y_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  CreateFonts();
  CreateFrame(instance);
  CreateControls(instance);
  CreateMenus();
  FitLabelsToCaptions();
  Form_Load();
  ShowWindow(window_, show);
  UpdateWindow(window_);
}

frmOrdalis::~frmOrdalis() {
  if (window_ != nullptr) DestroyWindow(window_);
  for (HGDIOBJ object :
       {static_cast<HGDIOBJ>(form_font_), static_cast<HGDIOBJ>(bold_font_),
        static_cast<HGDIOBJ>(label3_font_), static_cast<HGDIOBJ>(highlighted_box_brush_),
        static_cast<HGDIOBJ>(same_file_brush_)}) {
    if (object != nullptr) DeleteObject(object);
  }
}

int frmOrdalis::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Deliver(window_, message);
  return static_cast<int>(message.wParam);
}

void frmOrdalis::Deliver(HWND window, MSG& message) {
  // Tab, Shift+Tab, the arrows in the option group, Space and Enter on a
  // button work as in any Windows dialog.
  if (IsDialogMessageW(window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// ---------------------------------------------------------------------------
// Building the window

void frmOrdalis::CreateFonts() {
  form_font_ = MakeFont(ordalis::kFormFontPointSize, dpi_y_, false);
  bold_font_ = MakeFont(ordalis::kFormFontPointSize, dpi_y_, true);
  label3_font_ = MakeFont(ordalis::kLabel3PointSize, dpi_y_, true);
  highlighted_box_brush_ = CreateSolidBrush(ToColorRef(ordalis::kHighlightedBoxColour));
  same_file_brush_ = CreateSolidBrush(ToColorRef(ordalis::kSameFileBoxColour));
}

void frmOrdalis::CreateFrame(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &frmOrdalis::WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORDALIS),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORDALIS), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);

  // The frame and the menu bar around a client area of the form's size.
  RECT frame{0, 0, Scale(ordalis::kClientWidthTwips, dpi_x_),
             Scale(ordalis::kClientHeightTwips, dpi_y_)};
  AdjustWindowRectEx(&frame, kFrameStyle, TRUE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CreateWindowExW(0, kWindowClass, Wide(ordalis::kWindowTitle).c_str(), kFrameStyle,
                  work.left + std::max(0L, (work.right - work.left - width) / 2),
                  work.top + std::max(0L, (work.bottom - work.top - height) / 2), width, height,
                  nullptr, nullptr, instance, this);
}

void frmOrdalis::CreateControls(HINSTANCE instance) {
  struct Member {
    std::string_view name;
    HWND frmOrdalis::*control;
  };
  static constexpr Member kMembers[] = {
      {"GetFile", &frmOrdalis::GetFile}, {"TargetFile", &frmOrdalis::TargetFile},
      {"CmdExit", &frmOrdalis::CmdExit}, {"SameFileTxt", &frmOrdalis::SameFileTxt},
      {"Label3", &frmOrdalis::Label3},   {"Text1", &frmOrdalis::Text1},
      {"Label1", &frmOrdalis::Label1},   {"Option1", &frmOrdalis::Option1},
      {"Text2", &frmOrdalis::Text2},     {"Label2", &frmOrdalis::Label2},
      {"Option2", &frmOrdalis::Option2}, {"Text3", &frmOrdalis::Text3},
      {"Label4", &frmOrdalis::Label4},   {"Option3", &frmOrdalis::Option3},
  };

  // Created in tab order: that is the order Tab walks.
  std::vector<const ordalis::FormControl*> by_tab;
  for (const ordalis::FormControl& control : ordalis::kFormControls) by_tab.push_back(&control);
  std::sort(by_tab.begin(), by_tab.end(),
            [](const auto* a, const auto* b) { return a->tab_index < b->tab_index; });

  bool first_option = true;
  for (const ordalis::FormControl* control : by_tab) {
    const wchar_t* window_class = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD extended = 0;
    const std::string_view name = control->name;
    switch (control->kind) {
      case ordalis::ControlKind::Button:
        style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
        // "Target File" waits for a source, "Quit" for the first completed sort.
        if (name == "TargetFile" || name == "CmdExit") style |= WS_DISABLED;
        break;
      case ordalis::ControlKind::TextBox:
        window_class = L"EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
        extended = WS_EX_CLIENTEDGE;
        if (name == "SameFileTxt") style = WS_CHILD | WS_TABSTOP | WS_GROUP | ES_CENTER;  // Hidden.
        break;
      case ordalis::ControlKind::Label:
        window_class = L"STATIC";
        style |= static_cast<DWORD>(SS_NOPREFIX | WS_GROUP) |
                 static_cast<DWORD>(name == "Label3" ? SS_CENTER : SS_LEFTNOWORDWRAP);
        break;
      case ordalis::ControlKind::OptionButton:
        // One group: the first option opens it, the next control closes it.
        style |= BS_AUTORADIOBUTTON | WS_TABSTOP | (first_option ? WS_GROUP : 0);
        first_option = false;
        break;
    }
    const ordalis::TwipsRect& place = control->place;
    const HWND made = CreateWindowExW(
        extended, window_class, Wide(control->caption).c_str(), style, Scale(place.left, dpi_x_),
        Scale(place.top, dpi_y_), Scale(place.width, dpi_x_), Scale(place.height, dpi_y_), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control->name))), instance, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_), FALSE);
    for (const Member& member : kMembers) {
      if (member.name == control->name) this->*member.control = made;
    }
  }

  SendMessageW(Label3, WM_SETFONT, reinterpret_cast<WPARAM>(label3_font_), FALSE);
  // Themed option buttons draw their captions in the theme's colour; the
  // classic look takes the red of the highlighted mode.
  for (HWND option : {Option1, Option2, Option3}) SetWindowTheme(option, L"", L"");
}

void frmOrdalis::CreateMenus() {
  // No access keys and no shortcuts; the leading space of " File" is meant.
  const HMENU bar = CreateMenu();
  mFile = CreatePopupMenu();
  AppendMenuW(mFile, MF_STRING, kExitId, Wide(ordalis::kExitCaption).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mFile),
              Wide(ordalis::kFileMenuCaption).c_str());
  mHelp = CreatePopupMenu();
  AppendMenuW(mHelp, MF_STRING, kAboutId, Wide(ordalis::kAboutCaption).c_str());
  AppendMenuW(mHelp, MF_STRING, kHowToId, Wide(ordalis::kHowToCaption).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mHelp),
              Wide(ordalis::kHelpMenuCaption).c_str());
  SetMenu(window_, bar);

  // Keep the client area at the form's size whatever the menu bar's height.
  RECT client{};
  GetClientRect(window_, &client);
  RECT frame{};
  GetWindowRect(window_, &frame);
  const int missing = Scale(ordalis::kClientHeightTwips, dpi_y_) - (client.bottom - client.top);
  if (missing != 0) {
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top + missing, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void frmOrdalis::FitLabelsToCaptions() {
  // The labels were laid out for a narrower type; they draw only the form's
  // own colour around their text, so each may grow up to the option column
  // and down to a full line, which keeps every caption whole.
  RECT options{};
  GetWindowRect(Option1, &options);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&options), 2);
  const HDC dc = GetDC(window_);
  const HGDIOBJ old_font = SelectObject(dc, form_font_);
  for (HWND label : {Label1, Label2, Label4}) {
    const std::wstring text = TextOf(label);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT place{};
    GetWindowRect(label, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    const int room = options.left - 2 - place.left;
    const int width = std::max<int>(place.right - place.left, std::min<int>(extent.cx, room));
    const int height = std::max<int>(place.bottom - place.top, extent.cy);
    SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  }
  SelectObject(dc, old_font);
  ReleaseDC(window_, dc);
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CALLBACK frmOrdalis::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<frmOrdalis*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<frmOrdalis*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->HandleMessage(message, wparam, lparam);
}

LRESULT frmOrdalis::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // Disabled boxes, labels and option buttons.
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // A plain window forgets its focused control when another window (a
      // file dialog, a message box) takes over; keep it, as dialogs do.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) last_focus_ = focus;
      } else if (last_focus_ != nullptr && IsWindowEnabled(last_focus_) &&
                 IsWindowVisible(last_focus_)) {
        SetFocus(last_focus_);
        return 0;
      }
      break;
    case WM_CLOSE:  // The close box, the system menu, Alt+F4.
      Form_QueryUnload();
      return 0;
    case WM_ENDSESSION:  // Windows is shutting down.
      if (wparam != FALSE) Form_QueryUnload();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void frmOrdalis::OnCommand(int id, int code) {
  if (id == IDOK) {
    // Enter: the focused button is pressed, as in any Windows dialog.
    const HWND focus = GetFocus();
    if ((focus == GetFile || focus == TargetFile || focus == CmdExit) && IsWindowEnabled(focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
    }
    return;
  }
  if (code != BN_CLICKED) return;  // Menu entries come as 0, which is BN_CLICKED too.
  switch (id) {
    case ControlId("GetFile"):
      GetFile_Click();
      break;
    case ControlId("TargetFile"):
      TargetFile_Click();
      break;
    case ControlId("CmdExit"):
      CmdExit_Click();
      break;
    case ControlId("Option1"):
      Option1_Click();
      break;
    case ControlId("Option2"):
      Option2_Click();
      break;
    case ControlId("Option3"):
      Option3_Click();
      break;
    case kExitId:
      mExit_Click();
      break;
    case kAboutId:
      mAbout_Click();
      break;
    case kHowToId:
      mHowTo_Click();
      break;
    default:
      break;
  }
}

LRESULT frmOrdalis::OnControlColour(HDC dc, HWND control) {
  const HWND boxes[] = {Text1, Text2, Text3};
  const HWND options[] = {Option1, Option2, Option3};
  for (std::size_t i = 0; i < 3; ++i) {
    if (control == boxes[i]) {
      // Disabled boxes keep the window colour, not the grey of read-only ones.
      const bool highlighted = look_.box_highlighted[i];
      SetTextColor(dc, !IsWindowEnabled(control) ? GetSysColor(COLOR_GRAYTEXT)
                       : highlighted             ? ToColorRef(ordalis::kTextOnFixedColour)
                                                 : GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(
          dc, highlighted ? ToColorRef(ordalis::kHighlightedBoxColour) : GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(highlighted ? highlighted_box_brush_
                                                   : GetSysColorBrush(COLOR_WINDOW));
    }
    if (control == options[i]) {
      SetTextColor(dc, look_.caption_highlighted[i] ? ToColorRef(ordalis::kHighlightedCaptionColour)
                                                    : GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  if (control == SameFileTxt) {
    SetTextColor(dc, ToColorRef(ordalis::kTextOnFixedColour));
    SetBkColor(dc, ToColorRef(ordalis::kSameFileBoxColour));
    return reinterpret_cast<LRESULT>(same_file_brush_);
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));  // The labels.
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// ---------------------------------------------------------------------------
// Handlers

void frmOrdalis::Form_Load() {
  ordalis::FormLoad(variables_, *this);
  // The first enabled control in the tab order.
  last_focus_ = GetFile;
  SetFocus(GetFile);
}

void frmOrdalis::Form_QueryUnload() {
  // Closing the window any other way than Exit or Quit saves nothing.
  EndProgram();
}

void frmOrdalis::GetFile_Click() { ordalis::ChooseSource(variables_, *this); }

void frmOrdalis::TargetFile_Click() { ordalis::SortRun(variables_, *this); }

void frmOrdalis::CmdExit_Click() { mExit_Click(); }

void frmOrdalis::Option1_Click() {
  ApplyModeLook(ordalis::OptionClickLook(SortMode::LeftMost,
                                         SendMessageW(Option1, BM_GETCHECK, 0, 0) == BST_CHECKED));
}

void frmOrdalis::Option2_Click() {
  ApplyModeLook(ordalis::OptionClickLook(SortMode::Middle,
                                         SendMessageW(Option2, BM_GETCHECK, 0, 0) == BST_CHECKED));
}

void frmOrdalis::Option3_Click() {
  ApplyModeLook(ordalis::OptionClickLook(SortMode::RightMost,
                                         SendMessageW(Option3, BM_GETCHECK, 0, 0) == BST_CHECKED));
}

void frmOrdalis::mExit_Click() { ordalis::SaveSettingsAndEnd(variables_, *this); }

void frmOrdalis::mAbout_Click() {
  MessageBoxW(window_, Wide(ordalis::kAboutText).c_str(), Wide(ordalis::kAboutTitle).c_str(),
              MB_OK);
}

void frmOrdalis::mHowTo_Click() {
  MessageBoxW(window_, Wide(ordalis::kHowToText).c_str(), Wide(ordalis::kWindowTitle).c_str(),
              MB_OK);
}

// ---------------------------------------------------------------------------
// Helpers

void frmOrdalis::ApplyModeLook(const ModeLook& look) {
  look_ = look;
  const HWND boxes[] = {Text1, Text2, Text3};
  const HWND options[] = {Option1, Option2, Option3};
  for (std::size_t i = 0; i < 3; ++i) {
    EnableWindow(boxes[i], look.box_enabled[i] ? TRUE : FALSE);
    InvalidateRect(boxes[i], nullptr, TRUE);
    const HFONT font = look.caption_highlighted[i] ? bold_font_ : form_font_;
    SendMessageW(options[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    InvalidateRect(options[i], nullptr, TRUE);
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
  std::wstring directory = path.substr(0, path.find_last_of(L'\\'));
  // A drive's root keeps its backslash: "C:" alone would mean C's current folder.
  if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
  return ordalis::Utf8(directory);
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

SortMode frmOrdalis::SelectedMode() {
  if (SendMessageW(Option1, BM_GETCHECK, 0, 0) == BST_CHECKED) return SortMode::LeftMost;
  if (SendMessageW(Option2, BM_GETCHECK, 0, 0) == BST_CHECKED) return SortMode::Middle;
  if (SendMessageW(Option3, BM_GETCHECK, 0, 0) == BST_CHECKED) return SortMode::RightMost;
  return SortMode::None;
}

KeyTexts frmOrdalis::BoxTexts() {
  return {U16(TextOf(Text1)), U16(TextOf(Text2)), U16(TextOf(Text3))};
}

void frmOrdalis::SetBoxTexts(const KeyTexts& texts) {
  SetWindowTextW(Text1, FromU16(texts.text1).c_str());
  SetWindowTextW(Text2, FromU16(texts.text2).c_str());
  SetWindowTextW(Text3, FromU16(texts.text3).c_str());
}

void frmOrdalis::ClearOptions() {
  // BM_SETCHECK runs no click handler.
  for (HWND option : {Option1, Option2, Option3}) {
    SendMessageW(option, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void frmOrdalis::SelectOption(SortMode mode) {
  switch (mode) {
    case SortMode::LeftMost:
      SendMessageW(Option1, BM_SETCHECK, BST_CHECKED, 0);
      Option1_Click();
      break;
    case SortMode::Middle:
      SendMessageW(Option2, BM_SETCHECK, BST_CHECKED, 0);
      Option2_Click();
      break;
    case SortMode::RightMost:
      SendMessageW(Option3, BM_SETCHECK, BST_CHECKED, 0);
      Option3_Click();
      break;
    case SortMode::None:
      break;
  }
}

void frmOrdalis::HideSameFileWarning() { ShowWindow(SameFileTxt, SW_HIDE); }

std::optional<std::string> frmOrdalis::ShowSourceDialog(const FileDialogRequest& request) {
  return Source.Show(window_, request);
}

void frmOrdalis::EnableAndFocusTarget() {
  EnableWindow(TargetFile, TRUE);
  SetFocus(TargetFile);
}

void frmOrdalis::ReportSettingsNotSaved(const std::string& settings_file,
                                        const std::string& reason) {
  std::wstring text = L"The settings could not be saved to " + Wide(settings_file) + L".";
  if (!reason.empty()) text += L"\r\n\r\n" + Wide(reason);
  MessageBoxW(window_, text.c_str(), Wide(ordalis::kWindowTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void frmOrdalis::EndProgram() { ExitProcess(0); }
