#include "fatal_error.hpp"

#include <new>

#include "win32.hpp"

namespace tesvorin {
namespace {

const wchar_t* message_of(FatalError error) noexcept {
  switch (error) {
    case FatalError::WindowClass:
      return L"无法注册主窗口类，程序必须关闭。";
    case FatalError::Window:
      return L"无法创建主窗口，程序必须关闭。";
    case FatalError::OutOfMemory:
      return L"内存不足，程序必须关闭。";
    case FatalError::Unexpected:
      break;
  }
  return L"发生意外错误，程序必须关闭。";
}

void on_out_of_memory() { fail(FatalError::OutOfMemory); }

}  // namespace

void fail(FatalError error) noexcept {
  // The box runs its own message loop, which still delivers messages to the
  // main window; a second failure meanwhile must not stack another box.
  static bool failing = false;
  if (!failing) {
    failing = true;
    MessageBoxW(nullptr, message_of(error), L"Tesvorin",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
  }
  ExitProcess(0xFFFFFFFFU);
}

void install_out_of_memory_handler() noexcept {
  std::set_new_handler(on_out_of_memory);
}

}  // namespace tesvorin
