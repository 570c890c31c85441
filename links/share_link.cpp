#include "share_link.hpp"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace tesvorin {
namespace {

// The fixed pieces are ASCII, written here once and widened at compile time
// for the UTF-16 instance, so the two instances cannot drift apart.
constexpr std::string_view scheme = "http://";
constexpr std::string_view post_path =
    "/ugc/share?_wv=1&subtype=&ciphertext=&sk=&blog_photo=&g=84&res_uin=";
constexpr std::string_view blog_path =
    "/ugc/share?_wv=1&subtype=&ciphertext=&sid=&blog_photo=&g=85&res_uin=";
constexpr std::string_view item_key = "&cellid=";
constexpr std::string_view post_tail =
    "&subid=&bp1=&bp2=&bp7=&appid=311&g_f=2000000103";
constexpr std::string_view blog_tail =
    "&subid=&bp1=&bp2=&bp7=&appid=2&g_f=2000000103";

template <class CharT, std::size_t Length>
struct FixedText {
  std::array<CharT, Length> units{};

  constexpr explicit FixedText(std::initializer_list<std::string_view> parts) {
    std::size_t at = 0;
    for (const std::string_view part : parts) {
      for (const char unit : part) {
        units.at(at++) = static_cast<CharT>(unit);
      }
    }
  }

  [[nodiscard]] constexpr std::basic_string_view<CharT> view() const {
    return {units.data(), units.size()};
  }
};

constexpr std::size_t post_head_length =
    scheme.size() + share_page_host.size() + post_path.size();
constexpr std::size_t blog_head_length =
    scheme.size() + share_page_host.size() + blog_path.size();

template <class CharT>
struct Pieces {
  static constexpr FixedText<CharT, post_head_length> post_head{
      scheme, share_page_host, post_path};
  static constexpr FixedText<CharT, blog_head_length> blog_head{
      scheme, share_page_host, blog_path};
  static constexpr FixedText<CharT, item_key.size()> item_key_text{item_key};
  static constexpr FixedText<CharT, post_tail.size()> post_tail_text{post_tail};
  static constexpr FixedText<CharT, blog_tail.size()> blog_tail_text{blog_tail};
};

template <class CharT>
std::basic_string<CharT> compose(LinkKind kind,
                                 std::basic_string_view<CharT> owner_number,
                                 std::basic_string_view<CharT> item_id) {
  using P = Pieces<CharT>;
  const bool post = kind == LinkKind::Post;
  const std::basic_string_view<CharT> head =
      post ? P::post_head.view() : P::blog_head.view();
  const std::basic_string_view<CharT> tail =
      post ? P::post_tail_text.view() : P::blog_tail_text.view();
  const std::basic_string_view<CharT> key = P::item_key_text.view();

  std::basic_string<CharT> link;
  link.reserve(head.size() + owner_number.size() + key.size() + item_id.size() +
               tail.size());
  link.append(head)
      .append(owner_number)
      .append(key)
      .append(item_id)
      .append(tail);
  return link;
}

}  // namespace

std::string compose_share_link(LinkKind kind, std::string_view owner_number,
                               std::string_view item_id) {
  return compose(kind, owner_number, item_id);
}

std::wstring compose_share_link(LinkKind kind, std::wstring_view owner_number,
                                std::wstring_view item_id) {
  return compose(kind, owner_number, item_id);
}

}  // namespace tesvorin
