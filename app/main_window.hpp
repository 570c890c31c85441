// The program's one window: realises the fixed description with Win32
// controls, applies the key rules and runs the two click handlers.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "fatal_error.hpp"
#include "focus_order.hpp"
#include "key_routing.hpp"
#include "owned_icon.hpp"
#include "win32.hpp"
#include "window_description.hpp"

namespace tesvorin {

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  MainWindow(MainWindow&&) = delete;
  MainWindow& operator=(MainWindow&&) = delete;
  ~MainWindow();

  // Creates the window and its controls, centred on the primary screen, and
  // shows it with the focus in the item ID box. Tells what failed, if any.
  [[nodiscard]] std::optional<FatalError> create();

  [[nodiscard]] HWND handle() const noexcept { return window_; }
  // The control of main_window_controls[index].
  [[nodiscard]] HWND control(std::size_t index) const noexcept;

  // Applies the window's key rules to a queued key-down for the window or
  // one of its controls, before the control sees it. Consumed routes are
  // carried out here; the caller delivers the others as the route says.
  KeyRoute pre_translate_key(const MSG& message);

  void handle_post_click();
  void handle_blog_click();

 private:
  static LRESULT CALLBACK window_procedure(HWND window, UINT message,
                                           WPARAM wparam,
                                           LPARAM lparam) noexcept;
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);

  [[nodiscard]] bool create_controls();
  void on_command(WPARAM wparam, LPARAM lparam);
  void on_activate(WPARAM wparam);
  void on_system_command(WPARAM wparam);
  void remember_focus();
  void on_set_focus();
  void on_destroy();
  LRESULT on_colour_edit(HDC dc);
  LRESULT on_colour_label(HDC dc);

  void show_share_link(LinkKind kind);
  void move_focus(FocusDirection direction);
  [[nodiscard]] std::optional<std::size_t> control_index_of(
      HWND window) const noexcept;

  HWND window_ = nullptr;
  std::array<HWND, main_window_controls.size()> controls_{};
  std::vector<std::size_t> focus_order_;
  HWND focus_on_deactivation_ = nullptr;
  OwnedIcon large_icon_;
  OwnedIcon small_icon_;
};

}  // namespace tesvorin
