// Long use and bad input against the real tesvorin.exe: many clicks with
// changing inputs, and whatever a user can paste into the boxes.
#include "win32.hpp"

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "program_driver.hpp"
#include "share_link.hpp"
#include "window_description.hpp"

namespace tesvorin::testing {
namespace {

constexpr std::size_t post_button = control_index(L"按钮2");
constexpr std::size_t blog_button = control_index(L"按钮1");

struct Usage {
  // PrivateUsage, which Wine reports as 0.
  unsigned long long private_bytes;
  // PagefileUsage: under Wine, the resident anonymous memory.
  unsigned long long resident_bytes;
  DWORD gdi_objects;
  DWORD user_objects;
};

Usage usage_of(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process,
                       reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return {counters.PrivateUsage, counters.PagefileUsage,
          GetGuiResources(process, GR_GDIOBJECTS),
          GetGuiResources(process, GR_USEROBJECTS)};
}

// A click that must come back: a hung window fails the test instead of
// hanging it.
bool click_returns(HWND button) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000,
                             &result) != 0;
}

class Endurance : public ::testing::Test {
 protected:
  void SetUp() override { program_.emplace(RunningProgram::start()); }
  HWND control(std::size_t index) { return program_->control(index); }

  // Clicks the button for `kind` and checks the link against what the
  // two input boxes hold at that moment.
  void click_and_check(LinkKind kind) {
    const std::wstring owner = text_of(control(owner_number_box));
    const std::wstring item = text_of(control(item_id_box));
    ASSERT_TRUE(click_returns(
        control(kind == LinkKind::Post ? post_button : blog_button)));
    EXPECT_TRUE(text_of(control(link_box)) ==
                compose_share_link(kind, owner, item))
        << "owner of " << owner.size() << " units, item of " << item.size();
  }

  std::optional<RunningProgram> program_;
};

TEST_F(Endurance, TenThousandClicksGiveExactLinksAndKeepNothing) {
  // Inputs change with every click, and the buttons alternate.
  const auto click = [&](int i) {
    const LinkKind kind = i % 2 == 0 ? LinkKind::Post : LinkKind::Blog;
    const std::wstring owner = std::to_wstring(100000 + i * 7919);
    const std::wstring item =
        std::wstring(static_cast<std::size_t>(i % 40), L'x') +
        std::to_wstring(i);
    set_text(control(owner_number_box), owner);
    set_text(control(item_id_box), item);
    if (!click_returns(
            control(kind == LinkKind::Post ? post_button : blog_button))) {
      return false;
    }
    return text_of(control(link_box)) == compose_share_link(kind, owner, item);
  };

  for (int i = 0; i < 500; ++i) {  // warm-up: heaps and caches settle
    ASSERT_TRUE(click(i)) << "click " << i;
  }
  const Usage before = usage_of(program_->process());
  int wrong = 0;
  for (int i = 0; i < 10000; ++i) {
    if (!click(i)) {
      ++wrong;
    }
  }
  const Usage after = usage_of(program_->process());
  EXPECT_EQ(wrong, 0) << "clicks that gave a wrong link";

  std::printf(
      "after warm-up / after 10,000 clicks: private %llu / %llu B, "
      "resident %llu / %llu B, GDI %lu / %lu, USER %lu / %lu\n",
      before.private_bytes, after.private_bytes, before.resident_bytes,
      after.resident_bytes, before.gdi_objects, after.gdi_objects,
      before.user_objects, after.user_objects);
  if (before.private_bytes == 0) {
    std::printf(
        "private bytes read 0 (as under Wine): resident memory is "
        "checked instead\n");
  }
  if (before.gdi_objects == 0 && before.user_objects == 0) {
    std::printf(
        "GDI and USER object counts read 0 (as under Wine): not "
        "checked\n");
  }
  constexpr unsigned long long bound = 256 * 1024;
  EXPECT_LE(after.private_bytes, before.private_bytes + bound);
  EXPECT_LE(after.resident_bytes, before.resident_bytes + bound);
  EXPECT_LE(after.gdi_objects, before.gdi_objects + 2);
  EXPECT_LE(after.user_objects, before.user_objects + 2);
}

// Pastes through the clipboard, as Ctrl+V would.
void paste(HWND box, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  ASSERT_NE(memory, nullptr);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
    GlobalFree(memory);
  }
  CloseClipboard();
  set_text(box, L"");
  DWORD_PTR result = 0;
  SendMessageTimeoutW(box, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
}

struct PastedText {
  const char* what;
  std::wstring text;
  bool one_line;  // a one-line box keeps it whole
};

const std::vector<PastedText> pasted_texts = {
    {"digits", L"1234567890", true},
    {"CR/LF inside", L"12\r\n34", false},
    {"LF only", L"line one\nline two", false},
    {"trailing CR/LF", L"34\r\n", false},
    {"Chinese (BMP)", L"\u8BF4\u8BF4\u6216\u8005\u65E5\u5FD7", true},
    {"emoji (surrogate pair, plane 1)", L"\xD83D\xDD17\xD83D\xDC4D\xD83C\xDFFD",
     true},
    {"CJK extension B (plane 2)", L"\xD840\xDC00\xD869\xDED6", true},
    {"combining marks", L"e\u0301a\u0308\u0915\u094D\u0937", true},
    {"right-to-left text",
     L"\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627", true},
    {"bidi controls and joiners", L"\u202Eabc\u202C\u200D\u200B\uFEFF", true},
    {"characters that matter in a URL", L"&cellid=9#frag?x=1%20/+;'\"<>", true},
    {"private use and specials", L"\uE000\uFFFD\uFFFC", true},
};

TEST_F(Endurance, PastedTextReachesTheLinkAsTheBoxHoldsIt) {
  for (const PastedText& pasted : pasted_texts) {
    SCOPED_TRACE(pasted.what);
    paste(control(owner_number_box), pasted.text);
    paste(control(item_id_box), L"x" + pasted.text + L"y");
    if (pasted.one_line) {
      EXPECT_TRUE(text_of(control(owner_number_box)) == pasted.text);
      EXPECT_TRUE(text_of(control(item_id_box)) == L"x" + pasted.text + L"y");
    }
    click_and_check(LinkKind::Post);
    click_and_check(LinkKind::Blog);
  }
  // Still responsive: an ordinary click afterwards works.
  set_text(control(owner_number_box), L"34");
  set_text(control(item_id_box), L"12");
  click_and_check(LinkKind::Post);
}

}  // namespace
}  // namespace tesvorin::testing
