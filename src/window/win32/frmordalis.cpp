#include "frmordalis.h"

#include <uxtheme.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "dpi.h"
#include "formfont.h"
#include "frmordalis_host.h"
#include "resource.h"
#include "widetext.h"
#include "window/logic/exit_settings.h"
#include "window/logic/form_layout.h"
#include "window/logic/form_load.h"
#include "window/logic/form_table.h"
#include "window/logic/option_group.h"
#include "window/logic/sort_run.h"
#include "window/logic/source_choice.h"

using ordalis::ControlKind;
using ordalis::FormControl;
using ordalis::TextOf;
using ordalis::Wide;

namespace {

constexpr wchar_t kWindowClass[] = L"frmOrdalis";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The frame around a client area of the form's size at `dpi`.
RECT FormFrameAt(int dpi) {
  return ordalis::FrameAround({0, 0, ordalis::PixelsOfTwips(ordalis::kClientWidthTwips, dpi),
                               ordalis::PixelsOfTwips(ordalis::kClientHeightTwips, dpi)},
                              kFrameStyle, dpi);
}

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

// The id a control or a menu entry sends its WM_COMMAND with.
constexpr int CommandId(std::string_view name) {
  if (name == "mExit") return kExitId;
  if (name == "mAbout") return kAboutId;
  if (name == "mHowTo") return kHowToId;
  return ControlId(name);
}

}  // namespace

frmOrdalis::frmOrdalis(HINSTANCE instance, int show)
    : host_(std::make_unique<Host>(*this)),
      handlers_(std::make_unique<ordalis::FormHandlers>(*host_)) {
  CreateFrame(instance);
  dpi_ = ordalis::DpiOf(window_);
  LoadIcons();
  CreateControls(instance);
  CreateMenus();
  LayOut();
  handlers_->Form_Load();
  ShowWindow(window_, show);
  UpdateWindow(window_);
}

frmOrdalis::~frmOrdalis() {
  if (window_ != nullptr) DestroyWindow(window_);
  for (HICON icon : {big_icon_, small_icon_}) {
    if (icon != nullptr) DestroyIcon(icon);
  }
  for (HFONT font : {form_font_, bold_font_, label3_font_}) {
    if (font != nullptr) DeleteObject(font);
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

void frmOrdalis::CreateFrame(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &frmOrdalis::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  // A class takes a colour index plus one, never a system brush.
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);

  // Centred on the work area at the system's DPI; LayOut sizes it for the
  // DPI of the screen it is on.
  const int dpi = ordalis::DpiOf(nullptr);
  const RECT frame = FormFrameAt(dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CreateWindowExW(0, kWindowClass, Wide(ordalis::kWindowTitle).c_str(), kFrameStyle,
                  work.left + std::max(0L, (work.right - work.left - width) / 2),
                  work.top + std::max(0L, (work.bottom - work.top - height) / 2), width, height,
                  nullptr, nullptr, instance, this);
}

void frmOrdalis::LoadIcons() {
  // The system's icon sizes are those of its own DPI; the window's screen
  // may have another. LoadIconWithScaleDown draws each size from the nearest
  // larger image; MinGW has no import for it, and Windows before Vista none
  // at all, where LoadImage takes the nearest image as it is.
  using LoadIconFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto load_scaled = reinterpret_cast<LoadIconFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const int system_dpi = ordalis::DpiOf(nullptr);
  const auto load = [&](int metric, WPARAM which, HICON* icon) {
    const int size = MulDiv(GetSystemMetrics(metric), dpi_, system_dpi);
    HICON loaded = nullptr;
    if (load_scaled == nullptr ||
        FAILED(load_scaled(instance, MAKEINTRESOURCEW(IDI_ORDALIS), size, size, &loaded))) {
      loaded = static_cast<HICON>(
          LoadImageW(instance, MAKEINTRESOURCEW(IDI_ORDALIS), IMAGE_ICON, size, size, 0));
    }
    if (loaded == nullptr) return;
    SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(loaded));
    if (*icon != nullptr) DestroyIcon(*icon);  // Only once the window holds the new one.
    *icon = loaded;
  };
  load(SM_CXICON, ICON_BIG, &big_icon_);
  load(SM_CXSMICON, ICON_SMALL, &small_icon_);
}

void frmOrdalis::CreateControls(HINSTANCE instance) {
  // Created in the form's creation order, which is their z-order: Tab walks
  // the tab stops in it, and a screen reader finds each box's label just
  // before the box. LayOut places them.
  bool first_option = true;
  for (const FormControl* control : ordalis::kCreationOrder) {
    const wchar_t* window_class = L"BUTTON";
    DWORD style = WS_CHILD;
    DWORD extended = 0;
    const bool centred = control->alignment == ordalis::Alignment::Centre;
    switch (control->kind) {
      case ControlKind::Button:
        // BS_NOTIFY: the focus coming and going, so the default border follows it.
        style |= BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP | WS_GROUP;
        break;
      case ControlKind::TextBox:
        window_class = L"EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | (centred ? ES_CENTER : 0);
        extended = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::Label:
        window_class = L"STATIC";
        style |= static_cast<DWORD>(SS_NOPREFIX | WS_GROUP) |
                 static_cast<DWORD>(centred ? SS_CENTER : SS_LEFTNOWORDWRAP);
        break;
      case ControlKind::OptionButton:
        // One group: the first option opens it, the next control closes it.
        // The click rule says which option Tab stops at.
        style |= BS_AUTORADIOBUTTON | (first_option ? WS_GROUP : 0);
        first_option = false;
        break;
    }
    if (control->start_up != ordalis::StartUp::Hidden) style |= WS_VISIBLE;
    if (control->start_up == ordalis::StartUp::Disabled) style |= WS_DISABLED;
    CreateWindowExW(
        extended, window_class, Wide(control->caption).c_str(), style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control->name))), instance, nullptr);
  }

  // Themed option buttons draw their captions in the theme's colour; the
  // classic look takes the red of the highlighted mode.
  for (std::size_t i = 0; i < 3; ++i) SetWindowTheme(OptionButton(i), L"", L"");
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
}

void frmOrdalis::LayOut() {
  // The new fonts are set before the old ones go: no control may hold a
  // deleted font, even for a moment.
  const HFONT old_fonts[] = {form_font_, bold_font_, label3_font_};
  MakeFonts();
  for (const FormControl& control : ordalis::kFormControls) {
    const HWND made = Control(control.name);
    const ordalis::TwipsRect& place = control.place;
    SetWindowPos(made, nullptr, Scale(place.left), Scale(place.top), Scale(place.width),
                 Scale(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_), FALSE);
  }
  SendMessageW(Control("Label3"), WM_SETFONT, reinterpret_cast<WPARAM>(label3_font_), FALSE);
  host_->ApplyModeLook(look_);  // The bold captions take the new bold font.
  FitLabelsToCaptions();
  FitFrameToClient();
  for (HFONT font : old_fonts) {
    if (font != nullptr) DeleteObject(font);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void frmOrdalis::MakeFonts() {
  form_font_ = ordalis::MakeFormFont(ordalis::kFormFontPointSize, dpi_, false);
  bold_font_ = ordalis::MakeFormFont(ordalis::kFormFontPointSize, dpi_, true);
  label3_font_ = ordalis::MakeFormFont(ordalis::kLabel3PointSize, dpi_, true);
}

void frmOrdalis::FitLabelsToCaptions() {
  const HDC dc = GetDC(window_);
  const HGDIOBJ old_font = SelectObject(dc, form_font_);
  for (const FormControl& control : ordalis::kFormControls) {
    if (!control.fitted_to_caption) continue;
    const HWND label = Control(control.name);
    const std::wstring text = TextOf(label);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const ordalis::TwipsRect place = ordalis::FittedLabelPlace(
        control, ordalis::TwipsOfPixels(extent.cx, dpi_), ordalis::TwipsOfPixels(extent.cy, dpi_));
    SetWindowPos(label, nullptr, 0, 0, Scale(place.width), Scale(place.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SelectObject(dc, old_font);
  ReleaseDC(window_, dc);
}

void frmOrdalis::FitFrameToClient() {
  // The frame and the menu bar around a client area of the form's size; the
  // menu bar may take more room than the frame reckoned, so measure it after.
  const int client_width = Scale(ordalis::kClientWidthTwips);
  const int client_height = Scale(ordalis::kClientHeightTwips);
  const RECT frame = FormFrameAt(dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(window_, &client);
  RECT outer{};
  GetWindowRect(window_, &outer);
  const int missing_width = client_width - (client.right - client.left);
  const int missing_height = client_height - (client.bottom - client.top);
  if (missing_width != 0 || missing_height != 0) {
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + missing_width,
                 outer.bottom - outer.top + missing_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
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
    case WM_GETDPISCALEDSIZE: {
      // About to move to a screen of another DPI: the frame the form's
      // client area needs there, which Windows then suggests.
      const int dpi = static_cast<int>(wparam);
      const RECT frame = FormFrameAt(dpi);
      auto* size = reinterpret_cast<SIZE*>(lparam);
      size->cx = frame.right - frame.left;
      size->cy = frame.bottom - frame.top;
      return TRUE;
    }
    case WM_DPICHANGED: {
      // Moved to a screen of another DPI: Windows suggests the frame of the
      // size asked for above, which LayOut then keeps, so a window across
      // two screens does not bounce. (Wine measures its frame otherwise;
      // LayOut makes up the difference.)
      dpi_ = HIWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut();
      LoadIcons();
      return 0;
    }
    case DM_GETDEFID: {
      // Enter presses the button drawn as the default one.
      const HWND focus = GetFocus();
      for (std::string_view button : ordalis::kButtonNames) {
        if (focus == Control(button)) return MAKELRESULT(ControlId(button), DC_HASDEFID);
      }
      return 0;
    }
    case WM_CLOSE:  // The close box, the system menu, Alt+F4.
      handlers_->Form_QueryUnload();
      return 0;
    case WM_ENDSESSION:  // Windows is shutting down.
      if (wparam != FALSE) handlers_->Form_QueryUnload();
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
  for (std::string_view button : ordalis::kButtonNames) {
    if (id != ControlId(button)) continue;
    if (code == BN_SETFOCUS) SetDefaultButton(Control(button));
    if (code == BN_KILLFOCUS) SetDefaultButton(nullptr);
  }
  if (code != BN_CLICKED) return;  // Menu entries come as 0, which is BN_CLICKED too.
  // An option sends BN_CLICKED also when the focus reaches it (Windows does,
  // Wine does not); its Click is its becoming selected.
  for (std::size_t i = 0; i < 3; ++i) {
    if (id == ControlId(ordalis::kOptionNames[i]) && !host_->IsOptionChecked(i)) return;
  }
  for (const ordalis::FormClick& entry : ordalis::kFormClicks) {
    if (CommandId(entry.control) == id) (handlers_.get()->*entry.click)();
  }
}

LRESULT frmOrdalis::OnControlColour(HDC dc, HWND control) {
  for (std::size_t i = 0; i < 3; ++i) {
    if (control == Control(ordalis::kNumberBoxNames[i])) {
      const ordalis::BoxColours colours = ordalis::NumberBoxColours(look_, i);
      return colours_.Paint(dc, colours.text, colours.background);
    }
    if (control == OptionButton(i)) {
      return colours_.Paint(dc, ordalis::OptionCaptionLook(look_, i).text, ordalis::kFormFace);
    }
  }
  if (control == Control("SameFileTxt")) {
    const ordalis::BoxColours colours = ordalis::SameFileBoxColours();
    return colours_.Paint(dc, colours.text, colours.background);
  }
  return colours_.Paint(dc, ordalis::kLabelText, ordalis::kFormFace);
}

void frmOrdalis::SetDefaultButton(HWND button) {
  for (std::string_view name : ordalis::kButtonNames) {
    const HWND each = Control(name);
    SendMessageW(each, BM_SETSTYLE, each == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

HWND frmOrdalis::Control(std::string_view name) const {
  return GetDlgItem(window_, ControlId(name));
}

HWND frmOrdalis::OptionButton(std::size_t option) const {
  return Control(ordalis::kOptionNames[option]);
}

int frmOrdalis::Scale(int twips) const { return ordalis::PixelsOfTwips(twips, dpi_); }
