#include "focus_order.hpp"

#include <algorithm>
#include <iterator>

namespace tesvorin {

std::vector<std::size_t> focus_order(std::span<const ControlRecord> controls) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlRecord& control = controls[i];
    if (control.visible && control.enabled && control.tab_stop) {
      order.push_back(i);
    }
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) {
                     return controls[a].tab_order < controls[b].tab_order;
                   });
  return order;
}

std::optional<std::size_t> focus_step(std::span<const std::size_t> order,
                                      std::optional<std::size_t> current,
                                      FocusDirection direction) {
  if (order.empty()) {
    return std::nullopt;
  }
  const bool forward = direction == FocusDirection::Next;
  const auto found =
      current ? std::find(order.begin(), order.end(), *current) : order.end();
  if (found == order.end()) {
    // Focus is on no control of the order: start at the near end.
    return forward ? order.front() : order.back();
  }
  const auto at = static_cast<std::size_t>(std::distance(order.begin(), found));
  const std::size_t size = order.size();
  return order[forward ? (at + 1) % size : (at + size - 1) % size];
}

}  // namespace tesvorin
