// The program's entry: one window, its event loop, exit code 0 when it is
// closed. The command line and the environment are not read.
#include <new>

#include "fatal_error.hpp"
#include "main_window.hpp"
#include "message_loop.hpp"
#include "win32.hpp"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/,
                    PWSTR /*command_line*/, int /*show*/) {
  tesvorin::install_out_of_memory_handler();
  try {
    tesvorin::MainWindow window;
    if (const auto failure = window.create()) {
      tesvorin::fail(*failure);
    }
    return tesvorin::run_message_loop(window);
  } catch (const std::bad_alloc&) {
    tesvorin::fail(tesvorin::FatalError::OutOfMemory);
  } catch (...) {
    tesvorin::fail(tesvorin::FatalError::Unexpected);
  }
}
