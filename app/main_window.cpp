#include "main_window.hpp"

#include <new>
#include <string>

#include "centred_line_edit.hpp"

namespace tesvorin {
namespace {

constexpr wchar_t window_class_name[] = L"TesvorinMainWindow";

constexpr DWORD window_style =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD extended_style;
};

ControlClass control_class_of(ControlKind kind) noexcept {
  switch (kind) {
    case ControlKind::Label:
      // SS_NOPREFIX: no caption marks an access key with "&".
      return {L"STATIC", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::OneLineEdit:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
      // No ES_AUTOHSCROLL: lines wrap at the box's width.
      return {L"EDIT", ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
      break;
  }
  return {L"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
}

bool is_edit(ControlKind kind) noexcept {
  return kind == ControlKind::OneLineEdit || kind == ControlKind::MultiLineEdit;
}

// Control identifiers start at 1; 0 would be no identifier.
int control_id(std::size_t index) noexcept {
  return static_cast<int>(index) + 1;
}

std::wstring read_text(HWND box) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
  const int copied =
      GetWindowTextW(box, text.data(), static_cast<int>(text.size()) + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

bool register_window_class(HINSTANCE instance, WNDPROC procedure) noexcept {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = window_class_name;
  // A second window in the same process finds the class registered.
  return RegisterClassExW(&window_class) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Key key_of(WPARAM virtual_key) noexcept {
  if (virtual_key >= 'A' && virtual_key <= 'Z') {
    return Key::Letter;
  }
  if (virtual_key >= '0' && virtual_key <= '9') {
    return Key::Digit;
  }
  switch (virtual_key) {
    case VK_TAB:
      return Key::Tab;
    case VK_RETURN:
      return Key::Enter;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_F1:
      return Key::F1;
    default:
      return Key::Other;
  }
}

bool is_held(int virtual_key) noexcept { return GetKeyState(virtual_key) < 0; }

}  // namespace

MainWindow::~MainWindow() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

HWND MainWindow::control(std::size_t index) const noexcept {
  return index < controls_.size() ? controls_.at(index) : nullptr;
}

std::optional<FatalError> MainWindow::create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!register_window_class(instance, &window_procedure)) {
    return FatalError::WindowClass;
  }

  focus_order_ = focus_order(main_window_controls);
  large_icon_ = load_icon(main_window_settings.icon_resource.data(),
                          main_window_settings.large_icon_size);
  small_icon_ = load_icon(main_window_settings.icon_resource.data(),
                          main_window_settings.small_icon_size);

  const ScreenPoint at = centred_position(GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN));
  const int width = main_window_settings.outer_width;
  const int height = main_window_settings.outer_height;
  const HWND window = CreateWindowExW(
      0, window_class_name, main_window_settings.caption.data(), window_style,
      at.x, at.y, width, height, nullptr, nullptr, instance, this);
  if (window == nullptr) {
    return FatalError::Window;
  }

  RECT placed{};
  GetWindowRect(window, &placed);
  if (placed.right - placed.left != width ||
      placed.bottom - placed.top != height) {
    SetWindowPos(window, nullptr, at.x, at.y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The frame is fixed and the window cannot be maximised: the window menu
  // offers neither Size nor Maximize.
  if (HMENU menu = GetSystemMenu(window, FALSE); menu != nullptr) {
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  }
  SendMessageW(window, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(large_icon_.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(small_icon_.get()));

  if (!create_controls()) {
    return FatalError::Window;
  }

  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetFocus(controls_.at(item_id_box));
  return std::nullopt;
}

bool MainWindow::create_controls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));

  for (std::size_t i = 0; i < main_window_controls.size(); ++i) {
    const ControlRecord& record = main_window_controls.at(i);
    const ControlClass control_class = control_class_of(record.kind);
    DWORD style = WS_CHILD | control_class.style;
    style |= record.tab_stop ? WS_TABSTOP : 0U;
    style |= record.enabled ? 0U : WS_DISABLED;

    // Created hidden; std::wstring gives the caption its terminating NUL.
    const std::wstring text(record.text);
    const HWND control = CreateWindowExW(
        control_class.extended_style, control_class.name, text.c_str(), style,
        record.rect.left, record.rect.top, record.rect.width,
        record.rect.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id(i))), instance,
        nullptr);
    if (control == nullptr) {
      return false;
    }
    controls_.at(i) = control;
    SendMessageW(control, WM_SETFONT, font, FALSE);
    if (is_edit(record.kind)) {
      // 0 lifts the default limit of about 30,000 characters to the
      // platform's largest.
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    if (record.kind == ControlKind::OneLineEdit) {
      centre_line_vertically(control);
    }
  }

  // Each control lies above those created before it. New children go to
  // the bottom of their siblings, so bring each to the top in turn.
  for (const HWND control : controls_) {
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (main_window_controls.at(i).visible) {
      ShowWindow(controls_.at(i), SW_SHOWNA);
    }
  }
  return true;
}

LRESULT CALLBACK MainWindow::window_procedure(HWND window, UINT message,
                                              WPARAM wparam,
                                              LPARAM lparam) noexcept {
  // The object arrives with WM_NCCREATE and is kept in the window's user
  // data until WM_NCDESTROY.
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(
        reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self =
        reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    return self->handle_message(message, wparam, lparam);
  } catch (const std::bad_alloc&) {
    fail(FatalError::OutOfMemory);
  } catch (...) {
    fail(FatalError::Unexpected);
  }
}

LRESULT MainWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      on_command(wparam, lparam);
      return 0;
    case WM_ACTIVATE:
      on_activate(wparam);
      break;
    case WM_SYSCOMMAND:
      on_system_command(wparam);
      break;
    case WM_SETFOCUS:
      on_set_focus();
      return 0;
    case WM_CTLCOLOREDIT:
      return on_colour_edit(reinterpret_cast<HDC>(wparam));
    case WM_CTLCOLORSTATIC:
      return on_colour_label(reinterpret_cast<HDC>(wparam));
    case WM_DESTROY:
      on_destroy();
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      controls_.fill(nullptr);
      return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void MainWindow::on_command(WPARAM wparam, LPARAM lparam) {
  if (HIWORD(wparam) != BN_CLICKED || lparam == 0) {
    return;
  }
  const auto index = control_index_of(reinterpret_cast<HWND>(lparam));
  if (!index) {
    return;
  }
  switch (main_window_controls.at(*index).on_click) {
    case ClickHandler::HandlePostClick:
      handle_post_click();
      break;
    case ClickHandler::HandleBlogClick:
      handle_blog_click();
      break;
    case ClickHandler::None:
      break;
  }
}

void MainWindow::on_activate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    remember_focus();
  }
}

// Minimising takes the focus away before the window is deactivated, so
// note it first.
void MainWindow::on_system_command(WPARAM wparam) {
  if ((wparam & 0xFFF0U) == SC_MINIMIZE) {
    remember_focus();
  }
}

// Where the focus was, to give it back when the window returns.
void MainWindow::remember_focus() {
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus) != FALSE) {
    focus_on_deactivation_ = focus;
  }
}

// The window itself never keeps the focus: it passes it on at once.
void MainWindow::on_set_focus() {
  HWND target = focus_on_deactivation_;
  if (target == nullptr || IsWindow(target) == FALSE ||
      IsChild(window_, target) == FALSE) {
    target = control(focus_order_.empty() ? item_id_box : focus_order_.front());
  }
  SetFocus(target);
}

void MainWindow::on_destroy() { PostQuitMessage(0); }

LRESULT MainWindow::on_colour_edit(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// Labels fill their area with the face colour and draw the caption over it
// in black, with no background of its own.
LRESULT MainWindow::on_colour_label(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::handle_post_click() { show_share_link(LinkKind::Post); }

void MainWindow::handle_blog_click() { show_share_link(LinkKind::Blog); }

// Reads both input boxes, composes the link and replaces the output box's
// text with it. The texts are released when they go out of scope.
void MainWindow::show_share_link(LinkKind kind) {
  const std::wstring item_id = read_text(controls_.at(item_id_box));
  const std::wstring owner_number = read_text(controls_.at(owner_number_box));
  const std::wstring link = compose_share_link(kind, owner_number, item_id);
  SetWindowTextW(controls_.at(link_box), link.c_str());
}

KeyRoute MainWindow::pre_translate_key(const MSG& message) {
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      window_ == nullptr ||
      (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE)) {
    return KeyRoute::ToControl;
  }
  const auto focused = control_index_of(message.hwnd);
  const bool claims =
      focused && claims_enter(main_window_controls.at(*focused));
  const KeyPress press{key_of(message.wParam), is_held(VK_CONTROL),
                       is_held(VK_SHIFT), is_held(VK_MENU)};
  const KeyRoute route = route_key(press, claims);
  switch (route) {
    case KeyRoute::FocusNext:
      move_focus(FocusDirection::Next);
      break;
    case KeyRoute::FocusPrevious:
      move_focus(FocusDirection::Previous);
      break;
    case KeyRoute::Close:
      // Exactly what the close button does.
      SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case KeyRoute::ToControl:
    case KeyRoute::ToControlKeyOnly:
    case KeyRoute::Ignore:
      break;
  }
  return route;
}

void MainWindow::move_focus(FocusDirection direction) {
  const auto next =
      focus_step(focus_order_, control_index_of(GetFocus()), direction);
  if (next) {
    SetFocus(controls_.at(*next));
  }
}

std::optional<std::size_t> MainWindow::control_index_of(
    HWND window) const noexcept {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (window != nullptr && controls_.at(i) == window) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace tesvorin
