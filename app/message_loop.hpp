// The event loop of the program's one thread.
#pragma once

#include "main_window.hpp"

namespace tesvorin {

// Delivers one retrieved message, letting the window see key-downs first.
void deliver_message(MainWindow& window, const MSG& message);

// Runs until the window has been destroyed; returns the exit code.
int run_message_loop(MainWindow& window);

}  // namespace tesvorin
