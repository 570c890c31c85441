#include "focus_order.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tesvorin {
namespace {

std::vector<std::wstring_view> names_of(const std::vector<std::size_t>& order) {
  std::vector<std::wstring_view> names;
  names.reserve(order.size());
  for (const std::size_t i : order) {
    names.push_back(main_window_controls.at(i).name);
  }
  return names;
}

TEST(FocusOrder, MainWindowVisitsBoxesAndButtonsInCreationOrder) {
  EXPECT_EQ(names_of(focus_order(main_window_controls)),
            (std::vector<std::wstring_view>{L"编辑框1", L"编辑框2", L"按钮1",
                                            L"按钮2", L"编辑框3"}));
}

TEST(FocusOrder, SortsByNumberStablyAndSkipsWhatCannotTakeFocus) {
  const auto record = [](std::int32_t tab_order, bool visible, bool enabled,
                         bool tab_stop) {
    return ControlRecord{L"",
                         ControlKind::PushButton,
                         {0, 0, 1, 1},
                         visible,
                         enabled,
                         tab_stop,
                         tab_order,
                         L"",
                         ClickHandler::None};
  };
  const std::vector<ControlRecord> controls = {
      record(2, true, true, true),   // 0
      record(1, true, true, true),   // 1
      record(1, false, true, true),  // 2 hidden
      record(-1, true, true, true),  // 3
      record(1, true, false, true),  // 4 disabled
      record(1, true, true, false),  // 5 no tab stop
      record(1, true, true, true),   // 6
      record(2, true, true, true),   // 7
  };
  EXPECT_EQ(focus_order(controls), (std::vector<std::size_t>{3, 1, 6, 0, 7}));
}

TEST(FocusOrder, StepsWrapAtBothEnds) {
  const std::vector<std::size_t> order = {0, 1, 2, 3, 4};
  struct Case {
    std::optional<std::size_t> from;
    FocusDirection direction;
    std::optional<std::size_t> to;
  };
  const Case cases[] = {
      {0, FocusDirection::Next, 1},
      {4, FocusDirection::Next, 0},
      {0, FocusDirection::Previous, 4},
      {2, FocusDirection::Previous, 1},
      {std::nullopt, FocusDirection::Next, 0},
      {std::nullopt, FocusDirection::Previous, 4},
      {6, FocusDirection::Next, 0},  // a label or the window itself
  };
  for (const Case& c : cases) {
    EXPECT_EQ(focus_step(order, c.from, c.direction), c.to);
  }
  EXPECT_EQ(focus_step({}, 0, FocusDirection::Next), std::nullopt);
}

TEST(FocusOrder, TabCycleFromItemIdBoxReturnsToIt) {
  const std::vector<std::size_t> order = focus_order(main_window_controls);
  std::vector<std::size_t> visited;
  std::optional<std::size_t> at = item_id_box;
  for (int i = 0; i < 5; ++i) {
    at = focus_step(order, at, FocusDirection::Next);
    visited.push_back(*at);
  }
  EXPECT_EQ(names_of(visited),
            (std::vector<std::wstring_view>{L"编辑框2", L"按钮1", L"按钮2",
                                            L"编辑框3", L"编辑框1"}));
  visited.clear();
  for (int i = 0; i < 5; ++i) {
    at = focus_step(order, at, FocusDirection::Previous);
    visited.push_back(*at);
  }
  EXPECT_EQ(names_of(visited),
            (std::vector<std::wstring_view>{L"编辑框3", L"按钮2", L"按钮1",
                                            L"编辑框2", L"编辑框1"}));
}

}  // namespace
}  // namespace tesvorin
