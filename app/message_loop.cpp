#include "message_loop.hpp"

namespace tesvorin {

// Key-downs are routed by the window before TranslateMessage turns them
// into characters. IsDialogMessage is not used: it would press a default
// button on Enter and select a box's whole text on Tab.
void deliver_message(MainWindow& window, const MSG& message) {
  switch (window.pre_translate_key(message)) {
    case KeyRoute::ToControl:
      TranslateMessage(&message);
      DispatchMessageW(&message);
      break;
    case KeyRoute::ToControlKeyOnly:
      DispatchMessageW(&message);
      break;
    case KeyRoute::FocusNext:
    case KeyRoute::FocusPrevious:
    case KeyRoute::Close:
    case KeyRoute::Ignore:
      break;
  }
}

int run_message_loop(MainWindow& window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    deliver_message(window, message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace tesvorin
