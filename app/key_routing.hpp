// What a key-down does in the main window, decided before the focused
// control sees it.
#pragma once

namespace tesvorin {

enum class Key { Tab, Enter, Escape, F1, Letter, Digit, Other };

struct KeyPress {
  Key key;
  bool ctrl;
  bool shift;
  bool alt;
};

enum class KeyRoute {
  ToControl,         // the focused control gets the key as it is
  ToControlKeyOnly,  // it gets the key-down but no character from it
  FocusNext,         // consumed: the next control takes the focus
  FocusPrevious,     // consumed: the previous control takes the focus
  Close,             // consumed: the window closes
  Ignore,            // consumed: nothing happens
};

// focused_claims_enter: the focused control keeps Enter for itself.
[[nodiscard]] KeyRoute route_key(KeyPress press, bool focused_claims_enter);

}  // namespace tesvorin
