// The main window as fixed data: its settings and one record per control.
// Portable: the Win32 layer realises these records; tests read them natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "share_link.hpp"

namespace tesvorin {

struct PixelRect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;

  friend constexpr bool operator==(const PixelRect&,
                                   const PixelRect&) = default;
};

struct WindowSettings {
  std::wstring_view caption;
  std::int32_t outer_width;
  std::int32_t outer_height;
  std::wstring_view icon_resource;
  std::int32_t large_icon_size;
  std::int32_t small_icon_size;
};

inline constexpr WindowSettings main_window_settings{
    .caption = L"Tesvorin",
    .outer_width = 400,
    .outer_height = 279,
    .icon_resource = L"DEFAULT_ICON",
    .large_icon_size = 32,
    .small_icon_size = 16,
};

struct ScreenPoint {
  std::int32_t x;
  std::int32_t y;

  friend constexpr bool operator==(const ScreenPoint&,
                                   const ScreenPoint&) = default;
};

// Top-left corner that centres the window on a screen of the given size;
// the divisions round toward zero, as C++ integer division does.
[[nodiscard]] constexpr ScreenPoint centred_position(
    std::int32_t screen_width, std::int32_t screen_height) {
  return {(screen_width - main_window_settings.outer_width) / 2,
          (screen_height - main_window_settings.outer_height) / 2};
}

enum class ControlKind { Label, OneLineEdit, MultiLineEdit, PushButton };

// Which handler a push button's click runs.
enum class ClickHandler { None, HandlePostClick, HandleBlogClick };

struct ControlRecord {
  std::wstring_view name;
  ControlKind kind;
  PixelRect rect;  // client coordinates, outer size
  bool visible;
  bool enabled;
  bool tab_stop;
  std::int32_t tab_order;
  std::wstring_view text;  // caption of labels and buttons; edits start empty
  ClickHandler on_click;
};

// The records in creation order: each control is created, and stacked,
// after the ones before it.
inline constexpr std::array<ControlRecord, 7> main_window_controls{{
    {L"编辑框1",
     ControlKind::OneLineEdit,
     {104, 40, 232, 24},
     true,
     true,
     true,
     0,
     L"",
     ClickHandler::None},
    {L"编辑框2",
     ControlKind::MultiLineEdit,
     {24, 112, 312, 128},
     true,
     true,
     true,
     0,
     L"",
     ClickHandler::None},
    {L"按钮1",
     ControlKind::PushButton,
     {24, 72, 136, 24},
     true,
     true,
     true,
     0,
     L"日志转",
     ClickHandler::HandleBlogClick},
    {L"按钮2",
     ControlKind::PushButton,
     {176, 72, 136, 24},
     true,
     true,
     true,
     0,
     L"说说转",
     ClickHandler::HandlePostClick},
    {L"编辑框3",
     ControlKind::OneLineEdit,
     {104, 8, 232, 24},
     true,
     true,
     true,
     0,
     L"",
     ClickHandler::None},
    {L"标签1",
     ControlKind::Label,
     {16, 8, 64, 24},
     true,
     true,
     false,
     0,
     L"QQ号码",
     ClickHandler::None},
    {L"标签2",
     ControlKind::Label,
     {3, 39, 98, 24},
     true,
     true,
     false,
     0,
     L"说说或者日志ID",
     ClickHandler::None},
}};

// Index of the named control in main_window_controls.
[[nodiscard]] constexpr std::size_t control_index(std::wstring_view name) {
  for (std::size_t i = 0; i < main_window_controls.size(); ++i) {
    if (main_window_controls.at(i).name == name) {
      return i;
    }
  }
  return main_window_controls.size();  // not a control: fails at()
}

inline constexpr std::size_t item_id_box = control_index(L"编辑框1");
inline constexpr std::size_t link_box = control_index(L"编辑框2");
inline constexpr std::size_t owner_number_box = control_index(L"编辑框3");

// The link kind a click handler composes.
[[nodiscard]] constexpr std::optional<LinkKind> link_kind_of(
    ClickHandler handler) {
  switch (handler) {
    case ClickHandler::HandlePostClick:
      return LinkKind::Post;
    case ClickHandler::HandleBlogClick:
      return LinkKind::Blog;
    case ClickHandler::None:
      break;
  }
  return std::nullopt;
}

// An editable box of several lines keeps Enter for itself: it starts a new
// line there. No other control claims a key.
[[nodiscard]] constexpr bool claims_enter(const ControlRecord& control) {
  return control.kind == ControlKind::MultiLineEdit;
}

}  // namespace tesvorin
