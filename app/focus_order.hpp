// The order in which Tab and Shift+Tab visit the controls.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "window_description.hpp"

namespace tesvorin {

// Indices of the visible, enabled tab stops, sorted by tab-order number;
// controls with equal numbers keep their creation order.
[[nodiscard]] std::vector<std::size_t> focus_order(
    std::span<const ControlRecord> controls);

enum class FocusDirection { Next, Previous };

// The control that takes the focus from `current` (an index into the
// controls, or none when no control has it), wrapping at either end.
// Returns nothing only when the order is empty.
[[nodiscard]] std::optional<std::size_t> focus_step(
    std::span<const std::size_t> order, std::optional<std::size_t> current,
    FocusDirection direction);

}  // namespace tesvorin
