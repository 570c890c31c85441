// One-line edit boxes that show their line centred between top and bottom.
#pragma once

#include "win32.hpp"

namespace tesvorin {

// Makes the bands above and below the line part of the box's frame, painted
// in its background colour, so the text sits in the middle and a click on a
// band does not place the caret. Call once the box has its font.
void centre_line_vertically(HWND edit) noexcept;

}  // namespace tesvorin
