// libFuzzer target: the link's shape holds for any pair of inputs.
#include "share_link.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t scheme_and_host = 7 + tesvorin::share_page_host.size();

void require(bool holds) {
  if (!holds) {
    std::abort();
  }
}

template <class CharT>
void check(tesvorin::LinkKind kind, std::basic_string_view<CharT> owner,
           std::basic_string_view<CharT> item) {
  const bool post = kind == tesvorin::LinkKind::Post;
  const std::size_t head = scheme_and_host + (post ? 67 : 68);
  const std::size_t tail = post ? 47 : 45;
  const auto link = tesvorin::compose_share_link(kind, owner, item);
  const std::basic_string_view<CharT> view = link;

  require(link.size() == head + owner.size() + 8 + item.size() + tail);
  require(view.substr(head, owner.size()) == owner);
  require(view.substr(head + owner.size() + 8, item.size()) == item);

  // Head and tail do not depend on the inputs.
  const auto bare = tesvorin::compose_share_link(
      kind, std::basic_string_view<CharT>{}, std::basic_string_view<CharT>{});
  const std::basic_string_view<CharT> bare_view = bare;
  require(view.substr(0, head) == bare_view.substr(0, head));
  require(view.substr(head + owner.size(), 8) == bare_view.substr(head, 8));
  require(view.substr(view.size() - tail) == bare_view.substr(head + 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto kind =
      input.ConsumeBool() ? tesvorin::LinkKind::Post : tesvorin::LinkKind::Blog;
  const std::string owner = input.ConsumeRandomLengthString();
  const std::string item = input.ConsumeRemainingBytesAsString();
  check<char>(kind, owner, item);

  // The same bytes as UTF-16 code units for the window's instance.
  std::wstring wide_owner;
  for (std::size_t i = 0; i + 1 < owner.size(); i += 2) {
    wide_owner.push_back(
        static_cast<wchar_t>(static_cast<unsigned char>(owner[i]) |
                             (static_cast<unsigned char>(owner[i + 1]) << 8U)));
  }
  const std::wstring wide_item(item.begin(), item.end());
  check<wchar_t>(kind, wide_owner, wide_item);
  return 0;
}
