// Composes the share link of one status post or blog entry on the space's
// mobile web front end. Portable: no platform headers, no state.
#pragma once

#include <string>
#include <string_view>

namespace tesvorin {

enum class LinkKind { Post, Blog };

// Host of the mobile web front end that serves both kinds of share page.
inline constexpr std::string_view share_page_host = "h5.qzone.qq.com";

// Returns head + owner_number + "&cellid=" + item_id + tail for the kind.
// The inputs are copied code unit for code unit: nothing is trimmed,
// escaped or checked. The byte instance takes and gives texts in the
// system's ANSI code page; the wide instance serves the UTF-16 window.
// Throws std::bad_alloc when memory for the result cannot be had.
[[nodiscard]] std::string compose_share_link(LinkKind kind,
                                             std::string_view owner_number,
                                             std::string_view item_id);
[[nodiscard]] std::wstring compose_share_link(LinkKind kind,
                                              std::wstring_view owner_number,
                                              std::wstring_view item_id);

}  // namespace tesvorin
