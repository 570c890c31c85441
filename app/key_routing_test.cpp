#include "key_routing.hpp"

#include <gtest/gtest.h>

namespace tesvorin {
namespace {

struct Case {
  const char* what;
  KeyPress press;
  bool claims_enter;
  KeyRoute route;
};

// Ctrl, Shift, Alt: held (Y) or not (n).
constexpr bool Y = true;
constexpr bool n = false;

const Case cases[] = {
    {"Tab", {Key::Tab, n, n, n}, false, KeyRoute::FocusNext},
    {"Tab in the link box", {Key::Tab, n, n, n}, true, KeyRoute::FocusNext},
    {"Shift+Tab", {Key::Tab, n, Y, n}, false, KeyRoute::FocusPrevious},
    {"Shift+Tab in the link box",
     {Key::Tab, n, Y, n},
     true,
     KeyRoute::FocusPrevious},
    {"Ctrl+Tab", {Key::Tab, Y, n, n}, false, KeyRoute::ToControl},
    {"Ctrl+Shift+Tab", {Key::Tab, Y, Y, n}, false, KeyRoute::ToControl},
    {"Alt+Tab", {Key::Tab, n, n, Y}, false, KeyRoute::ToControl},
    {"Enter in a one-line box or button",
     {Key::Enter, n, n, n},
     false,
     KeyRoute::ToControlKeyOnly},
    {"Enter in the link box", {Key::Enter, n, n, n}, true, KeyRoute::ToControl},
    {"Ctrl+Enter in the link box",
     {Key::Enter, Y, n, n},
     true,
     KeyRoute::ToControl},
    {"Shift+Enter elsewhere",
     {Key::Enter, n, Y, n},
     false,
     KeyRoute::ToControl},
    {"Esc", {Key::Escape, n, n, n}, false, KeyRoute::Close},
    {"Esc in the link box", {Key::Escape, n, n, n}, true, KeyRoute::Close},
    {"Shift+Esc", {Key::Escape, n, Y, n}, false, KeyRoute::ToControl},
    {"F1", {Key::F1, n, n, n}, false, KeyRoute::ToControl},
    {"Alt+letter", {Key::Letter, n, n, Y}, false, KeyRoute::Ignore},
    {"Alt+digit in the link box",
     {Key::Digit, n, n, Y},
     true,
     KeyRoute::Ignore},
    {"letter", {Key::Letter, n, n, n}, false, KeyRoute::ToControl},
    {"Ctrl+letter (copy, paste)",
     {Key::Letter, Y, n, n},
     false,
     KeyRoute::ToControl},
    {"Ctrl+Alt+letter (AltGr)",
     {Key::Letter, Y, n, Y},
     false,
     KeyRoute::ToControl},
    {"Shift+digit", {Key::Digit, n, Y, n}, false, KeyRoute::ToControl},
    {"Alt+other (Alt+F4, Alt+Space)",
     {Key::Other, n, n, Y},
     false,
     KeyRoute::ToControl},
};

TEST(KeyRouting, EachKeyGoesWhereTheWindowSends) {
  for (const Case& c : cases) {
    EXPECT_EQ(route_key(c.press, c.claims_enter), c.route) << c.what;
  }
}

}  // namespace
}  // namespace tesvorin
