// Drives a real tesvorin.exe from another process, the way a user would:
// real keyboard and mouse input through SendInput, texts read back with
// WM_GETTEXT. Every wait is bounded; every started process is ended.
#pragma once

#include "win32.hpp"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace tesvorin::testing {

struct HandleCloser {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using OwnedHandle =
    std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Path of a program built into the same folder as this test.
std::wstring sibling_program(std::wstring_view file_name);

// Polls `done` (pumping this thread's messages) until it holds or the time
// is up; returns its last answer.
bool wait_until(const std::function<bool()>& done, DWORD timeout_ms = 5000);

class RunningProgram {
 public:
  // Starts the program and waits for its main window to be shown.
  static RunningProgram start(std::wstring_view file_name = L"tesvorin.exe",
                              std::wstring_view arguments = L"");

  RunningProgram(RunningProgram&&) noexcept = default;
  RunningProgram& operator=(RunningProgram&&) noexcept = default;
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();  // ends the process if it still runs

  [[nodiscard]] HWND window() const noexcept { return window_; }
  [[nodiscard]] DWORD process_id() const noexcept { return process_id_; }
  [[nodiscard]] HANDLE process() const noexcept { return process_.get(); }
  // The control of main_window_controls[index].
  [[nodiscard]] HWND control(std::size_t index) const noexcept;
  // The window that has the keyboard focus in the program's UI thread.
  [[nodiscard]] HWND focus() const;
  // Exit code once the process has ended within the time, else nothing.
  std::optional<DWORD> wait_for_exit(DWORD timeout_ms = 5000) const;

 private:
  RunningProgram() = default;

  OwnedHandle process_;
  DWORD process_id_ = 0;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
};

// A top-level window of the process with the given class, once visible.
HWND find_window_of(DWORD process_id, std::wstring_view class_name,
                    DWORD timeout_ms = 5000);

std::wstring text_of(HWND window);
void set_text(HWND window, const std::wstring& text);

// Makes the window the foreground window, so real input reaches it.
void bring_to_front(HWND window);

enum Modifiers : unsigned { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
void press_key(WORD virtual_key, unsigned modifiers = None);
void type_text(std::wstring_view text);
void click(HWND control);

}  // namespace tesvorin::testing
