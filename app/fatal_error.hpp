// The one way the program ends on a failure it cannot survive: an error box,
// then exit code -1.
#pragma once

namespace tesvorin {

enum class FatalError {
  WindowClass,  // the main window's class could not be registered
  Window,       // the main window or one of its controls could not be made
  OutOfMemory,  // no memory for a text
  Unexpected,   // anything else that reached a window procedure
};

// Tells the user, waits for the box to be dismissed, ends the process with
// exit code 0xFFFFFFFF. Never returns.
[[noreturn]] void fail(FatalError error) noexcept;

// Makes every failed allocation take the path above instead of throwing.
void install_out_of_memory_handler() noexcept;

}  // namespace tesvorin
