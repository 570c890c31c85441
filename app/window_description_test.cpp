#include "window_description.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace tesvorin {
namespace {

TEST(WindowDescription, ControlsInCreationOrderWithTheirPlacesAndTexts) {
  struct Expected {
    std::wstring_view name;
    ControlKind kind;
    PixelRect rect;
    bool tab_stop;
    std::wstring_view text;
    ClickHandler on_click;
  };
  const Expected expected[] = {
      {L"编辑框1",
       ControlKind::OneLineEdit,
       {104, 40, 232, 24},
       true,
       L"",
       ClickHandler::None},
      {L"编辑框2",
       ControlKind::MultiLineEdit,
       {24, 112, 312, 128},
       true,
       L"",
       ClickHandler::None},
      {L"按钮1",
       ControlKind::PushButton,
       {24, 72, 136, 24},
       true,
       L"\u65E5\u5FD7\u8F6C",
       ClickHandler::HandleBlogClick},
      {L"按钮2",
       ControlKind::PushButton,
       {176, 72, 136, 24},
       true,
       L"\u8BF4\u8BF4\u8F6C",
       ClickHandler::HandlePostClick},
      {L"编辑框3",
       ControlKind::OneLineEdit,
       {104, 8, 232, 24},
       true,
       L"",
       ClickHandler::None},
      {L"标签1",
       ControlKind::Label,
       {16, 8, 64, 24},
       false,
       L"QQ\u53F7\u7801",
       ClickHandler::None},
      {L"标签2",
       ControlKind::Label,
       {3, 39, 98, 24},
       false,
       L"\u8BF4\u8BF4\u6216\u8005\u65E5\u5FD7ID",
       ClickHandler::None},
  };
  ASSERT_EQ(std::size(expected), main_window_controls.size());
  for (std::size_t i = 0; i < main_window_controls.size(); ++i) {
    const ControlRecord& control = main_window_controls.at(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(control.name, expected[i].name);
    EXPECT_EQ(control.kind, expected[i].kind);
    EXPECT_EQ(control.rect, expected[i].rect);
    EXPECT_TRUE(control.visible);
    EXPECT_TRUE(control.enabled);
    EXPECT_EQ(control.tab_stop, expected[i].tab_stop);
    EXPECT_EQ(control.tab_order, 0);
    EXPECT_EQ(control.text, expected[i].text);
    EXPECT_EQ(control.on_click, expected[i].on_click);
  }
}

TEST(WindowDescription, NoTwoControlsOverlap) {
  const auto overlap = [](const PixelRect& a, const PixelRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width &&
           a.top < b.top + b.height && b.top < a.top + a.height;
  };
  for (std::size_t a = 0; a < main_window_controls.size(); ++a) {
    for (std::size_t b = a + 1; b < main_window_controls.size(); ++b) {
      EXPECT_FALSE(overlap(main_window_controls.at(a).rect,
                           main_window_controls.at(b).rect))
          << "controls " << a << " and " << b;
    }
  }
}

TEST(WindowDescription, NamedBoxesAndHandlers) {
  EXPECT_EQ(main_window_controls.at(item_id_box).name, L"编辑框1");
  EXPECT_EQ(main_window_controls.at(link_box).name, L"编辑框2");
  EXPECT_EQ(main_window_controls.at(owner_number_box).name, L"编辑框3");
  EXPECT_EQ(link_kind_of(ClickHandler::HandlePostClick), LinkKind::Post);
  EXPECT_EQ(link_kind_of(ClickHandler::HandleBlogClick), LinkKind::Blog);
  EXPECT_EQ(link_kind_of(ClickHandler::None), std::nullopt);
  for (const ControlRecord& control : main_window_controls) {
    EXPECT_EQ(claims_enter(control), control.name == L"编辑框2");
  }
}

TEST(WindowDescription, SettingsAndCentring) {
  EXPECT_EQ(main_window_settings.caption, L"Tesvorin");
  EXPECT_EQ(main_window_settings.outer_width, 400);
  EXPECT_EQ(main_window_settings.outer_height, 279);
  EXPECT_EQ(main_window_settings.icon_resource, L"DEFAULT_ICON");

  struct Case {
    std::int32_t width, height;
    ScreenPoint expected;
  };
  const Case cases[] = {
      {1920, 1080, {760, 400}},
      {1280, 1024, {440, 372}},
      {1023, 768, {311, 244}},  // odd remainder rounds down
      {400, 279, {0, 0}},
      {300, 200, {-50, -39}},  // smaller screen: toward zero, not down
      {399, 278, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(centred_position(c.width, c.height), c.expected)
        << c.width << "x" << c.height;
  }
}

}  // namespace
}  // namespace tesvorin
