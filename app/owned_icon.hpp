// Move-only owner of an icon loaded from the executable's resources.
#pragma once

#include <memory>
#include <type_traits>

#include "win32.hpp"

namespace tesvorin {

struct IconDeleter {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};

using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// Loads the named icon group at the given square size; empty on failure.
[[nodiscard]] inline OwnedIcon load_icon(const wchar_t* name, int size) {
  return OwnedIcon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0)));
}

}  // namespace tesvorin
