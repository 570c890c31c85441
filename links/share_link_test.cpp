#include "share_link.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tesvorin {
namespace {

// The expected links are written out in full here, independently of the
// composer's own pieces, so a typo in either shows up as a mismatch.
constexpr std::string_view post_head =
    "http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sk="
    "&blog_photo=&g=84&res_uin=";
constexpr std::string_view blog_head =
    "http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sid="
    "&blog_photo=&g=85&res_uin=";
constexpr std::string_view post_tail =
    "&subid=&bp1=&bp2=&bp7=&appid=311&g_f=2000000103";
constexpr std::string_view blog_tail =
    "&subid=&bp1=&bp2=&bp7=&appid=2&g_f=2000000103";

std::wstring widen(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

std::string expected_link(LinkKind kind, std::string_view owner,
                          std::string_view item) {
  const bool post = kind == LinkKind::Post;
  std::string link(post ? post_head : blog_head);
  link.append(owner).append("&cellid=").append(item);
  link.append(post ? post_tail : blog_tail);
  return link;
}

std::wstring expected_link(LinkKind kind, std::wstring_view owner,
                           std::wstring_view item) {
  const bool post = kind == LinkKind::Post;
  std::wstring link = widen(post ? post_head : blog_head);
  link.append(owner).append(L"&cellid=").append(item);
  link.append(widen(post ? post_tail : blog_tail));
  return link;
}

TEST(ShareLink, FullLinksForOwner123AndItemAbc) {
  EXPECT_EQ(compose_share_link(LinkKind::Post, "123", "abc"),
            "http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sk="
            "&blog_photo=&g=84&res_uin=123&cellid=abc&subid=&bp1=&bp2=&bp7="
            "&appid=311&g_f=2000000103");
  EXPECT_EQ(compose_share_link(LinkKind::Blog, "123", "abc"),
            "http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sid="
            "&blog_photo=&g=85&res_uin=123&cellid=abc&subid=&bp1=&bp2=&bp7="
            "&appid=2&g_f=2000000103");
  EXPECT_EQ(compose_share_link(LinkKind::Post, L"123", L"abc"),
            widen(compose_share_link(LinkKind::Post, "123", "abc")));
  EXPECT_EQ(compose_share_link(LinkKind::Blog, L"123", L"abc"),
            widen(compose_share_link(LinkKind::Blog, "123", "abc")));
}

struct ByteCase {
  const char* what;
  std::string owner;
  std::string item;
};

// Inputs go into the link exactly as typed, whatever they hold.
const std::vector<ByteCase> byte_cases = {
    {"digits", "34", "12"},
    {"both empty", "", ""},
    {"owner empty", "", "12"},
    {"item empty", "34", ""},
    {"blanks kept", " 34 ", "\t12  "},
    {"ampersand adds a parameter", "34", "12&subid=9"},
    {"hash, percent and equals kept", "3#4%20=", "%41=#frag"},
    {"line break kept", "34\r\n", "1\n2"},
    {"GBK bytes kept", "\xC4\xE3\xBA\xC3", "\xCB\xB5\xCB\xB5\xD6\xD5"},
    {"high bytes kept", "\x80\xFF", "\xFE\x81"},
};

TEST(ShareLink, ByteInputsAreInsertedUnchanged) {
  for (const auto& c : byte_cases) {
    for (const LinkKind kind : {LinkKind::Post, LinkKind::Blog}) {
      SCOPED_TRACE(c.what);
      EXPECT_EQ(compose_share_link(kind, c.owner, c.item),
                expected_link(kind, c.owner, c.item));
    }
  }
}

struct WideCase {
  const char* what;
  std::wstring owner;
  std::wstring item;
};

const std::vector<WideCase> wide_cases = {
    {"digits", L"34", L"12"},
    {"both empty", L"", L""},
    {"blanks kept", L" 34", L"12 "},
    {"URL characters kept", L"&#%=", L"a&b=c#d%e"},
    {"Chinese kept", L"\u8BF4\u8BF4", L"\u65E5\u5FD7ID"},
    // U+1F517 as an explicit UTF-16 surrogate pair: both units must survive.
    {"surrogate pair kept", L"\xD83D\xDD17", L"x\xD83D\xDD17y"},
    {"lone surrogate kept", L"\xD83D", L"\xDD17"},
    {"ideographic space kept", L"\u3000", L"\u3000"},
};

TEST(ShareLink, WideInputsAreInsertedUnchanged) {
  for (const auto& c : wide_cases) {
    for (const LinkKind kind : {LinkKind::Post, LinkKind::Blog}) {
      SCOPED_TRACE(c.what);
      EXPECT_EQ(compose_share_link(kind, c.owner, c.item),
                expected_link(kind, c.owner, c.item));
    }
  }
}

TEST(ShareLink, EmptyInputsLeaveBothValuesEmpty) {
  const std::string post = compose_share_link(LinkKind::Post, "", "");
  EXPECT_NE(post.find("&res_uin=&cellid=&subid="), std::string::npos) << post;
  const std::string blog = compose_share_link(LinkKind::Blog, "", "");
  EXPECT_NE(blog.find("&res_uin=&cellid=&subid="), std::string::npos) << blog;
}

TEST(ShareLink, LengthIsTheSumOfThePieces) {
  const std::size_t host = share_page_host.size();
  const std::vector<std::size_t> lengths = {0, 1, 2, 15, 16, 17, 31, 255, 4097};
  for (const std::size_t owner_length : lengths) {
    for (const std::size_t item_length : lengths) {
      const std::string owner(owner_length, '7');
      const std::string item(item_length, 'x');
      const std::wstring wide_owner(owner_length, L'\u53F7');
      const std::wstring wide_item(item_length, L'\u65E5');
      const std::size_t inputs = owner_length + item_length;
      EXPECT_EQ(compose_share_link(LinkKind::Post, owner, item).size(),
                7 + host + 67 + inputs + 8 + 47);
      EXPECT_EQ(compose_share_link(LinkKind::Blog, owner, item).size(),
                7 + host + 68 + inputs + 8 + 45);
      EXPECT_EQ(
          compose_share_link(LinkKind::Post, wide_owner, wide_item).size(),
          7 + host + 67 + inputs + 8 + 47);
      EXPECT_EQ(
          compose_share_link(LinkKind::Blog, wide_owner, wide_item).size(),
          7 + host + 68 + inputs + 8 + 45);
    }
  }
}

TEST(ShareLink, MillionUnitInputsAreKeptWhole) {
  // What a user can paste into a box: the link keeps every unit of it.
  std::wstring owner(1000000, L'\u53F7');
  std::wstring item(1000000, L'7');
  owner[500000] = L'&';
  item.back() = L'\xDD17';
  const std::wstring link = compose_share_link(LinkKind::Post, owner, item);
  EXPECT_TRUE(link == expected_link(LinkKind::Post, owner, item));
}

TEST(ShareLink, ResultCapacityIsReservedAtItsLength) {
  // One allocation: the link is built in a buffer sized up front, not grown.
  const std::string owner(1000, '1');
  const std::string item(3000, '2');
  const std::string link = compose_share_link(LinkKind::Post, owner, item);
  EXPECT_EQ(link.capacity(), link.size());
  const std::wstring wide =
      compose_share_link(LinkKind::Blog, widen(owner), widen(item));
  EXPECT_EQ(wide.capacity(), wide.size());
}

std::vector<std::pair<std::string, std::string>> query_of(
    std::string_view link) {
  std::vector<std::pair<std::string, std::string>> query;
  std::string_view rest = link.substr(link.find('?') + 1);
  while (true) {
    const std::size_t amp = rest.find('&');
    const std::string_view field = rest.substr(0, amp);
    const std::size_t eq = field.find('=');
    query.emplace_back(field.substr(0, eq), eq == std::string_view::npos
                                                ? ""
                                                : field.substr(eq + 1));
    if (amp == std::string_view::npos) {
      break;
    }
    rest.remove_prefix(amp + 1);
  }
  return query;
}

TEST(ShareLink, KindsDifferInExactlyThreePlaces) {
  const auto post = query_of(compose_share_link(LinkKind::Post, "34", "12"));
  const auto blog = query_of(compose_share_link(LinkKind::Blog, "34", "12"));
  const std::vector<std::string> keys = {
      "_wv", "subtype", "ciphertext", "sk",    "blog_photo",
      "g",   "res_uin", "cellid",     "subid", "bp1",
      "bp2", "bp7",     "appid",      "g_f"};
  ASSERT_EQ(post.size(), keys.size());
  ASSERT_EQ(blog.size(), keys.size());

  std::vector<std::size_t> differing;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(post[i].first, keys[i]);
    if (post[i] != blog[i]) {
      differing.push_back(i);
    }
  }
  EXPECT_EQ(differing, (std::vector<std::size_t>{3, 5, 12}));
  EXPECT_EQ(blog[3].first, "sid");
  EXPECT_EQ(post[5].second, "84");
  EXPECT_EQ(blog[5].second, "85");
  EXPECT_EQ(post[12].second, "311");
  EXPECT_EQ(blog[12].second, "2");
  EXPECT_EQ(post[6].second, "34");
  EXPECT_EQ(post[7].second, "12");
}

}  // namespace
}  // namespace tesvorin
