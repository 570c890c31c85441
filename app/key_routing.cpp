#include "key_routing.hpp"

namespace tesvorin {

KeyRoute route_key(KeyPress press, bool focused_claims_enter) {
  const bool no_modifier = !press.ctrl && !press.shift && !press.alt;
  switch (press.key) {
    case Key::Enter:
      if (focused_claims_enter) {
        return KeyRoute::ToControl;
      }
      // No default button and no focus move. A one-line edit would answer
      // the Enter character with a beep, so only the key-down goes on.
      return no_modifier ? KeyRoute::ToControlKeyOnly : KeyRoute::ToControl;
    case Key::Tab:
      if (no_modifier) {
        return KeyRoute::FocusNext;
      }
      if (press.shift && !press.ctrl && !press.alt) {
        return KeyRoute::FocusPrevious;
      }
      return KeyRoute::ToControl;
    case Key::Escape:
      return no_modifier ? KeyRoute::Close : KeyRoute::ToControl;
    case Key::Letter:
    case Key::Digit:
      // No caption marks an access key, so Alt with a letter or digit has
      // nothing to press.
      return press.alt && !press.ctrl && !press.shift ? KeyRoute::Ignore
                                                      : KeyRoute::ToControl;
    case Key::F1:
    case Key::Other:
      break;
  }
  return KeyRoute::ToControl;
}

}  // namespace tesvorin
