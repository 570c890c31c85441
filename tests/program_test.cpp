// End-to-end tests of the real tesvorin.exe, driven from this process with
// real keyboard and mouse input.
#include "win32.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "program_driver.hpp"
#include "share_link.hpp"
#include "window_description.hpp"

namespace tesvorin::testing {
namespace {

const std::wstring post_link_34_12 =
    L"http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sk="
    L"&blog_photo=&g=84&res_uin=34&cellid=12&subid=&bp1=&bp2=&bp7="
    L"&appid=311&g_f=2000000103";
const std::wstring blog_link_34_12 =
    L"http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sid="
    L"&blog_photo=&g=85&res_uin=34&cellid=12&subid=&bp1=&bp2=&bp7="
    L"&appid=2&g_f=2000000103";

constexpr std::size_t post_button = control_index(L"按钮2");
constexpr std::size_t blog_button = control_index(L"按钮1");

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.emplace(RunningProgram::start());
    bring_to_front(window());
  }

  RunningProgram& program() { return *program_; }
  HWND window() { return program_->window(); }
  HWND control(std::size_t index) { return program_->control(index); }

  bool focus_becomes(std::size_t index) {
    return wait_until([&] { return program_->focus() == control(index); });
  }
  bool text_becomes(std::size_t index, const std::wstring& text) {
    return wait_until([&] { return text_of(control(index)) == text; });
  }

  std::optional<RunningProgram> program_;
};

TEST_F(Program, OpensCentredWithTheCaretInTheItemIdBox) {
  RECT rect{};
  GetWindowRect(window(), &rect);
  const ScreenPoint at = centred_position(GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(rect.left, at.x);
  EXPECT_EQ(rect.top, at.y);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 279);
  EXPECT_TRUE(IsWindowVisible(window()));
  EXPECT_FALSE(IsIconic(window()));
  EXPECT_FALSE(IsZoomed(window()));
  EXPECT_EQ(GetWindow(window(), GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

  std::array<wchar_t, 32> caption{};
  GetWindowTextW(window(), caption.data(), static_cast<int>(caption.size()));
  EXPECT_STREQ(caption.data(), L"Tesvorin");

  ASSERT_TRUE(focus_becomes(item_id_box));
  DWORD start = 1;
  DWORD end = 1;
  SendMessageW(control(item_id_box), EM_GETSEL,
               reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0U);
  EXPECT_EQ(end, 0U);
  for (const std::size_t box : {item_id_box, link_box, owner_number_box}) {
    EXPECT_EQ(text_of(control(box)), L"");
  }
}

TEST_F(Program, TypedInputsAndMouseClicksGiveBothLinks) {
  ASSERT_TRUE(focus_becomes(item_id_box));
  type_text(L"12");
  ASSERT_TRUE(text_becomes(item_id_box, L"12"));
  press_key(VK_TAB, Shift);  // back from the item ID to the owner number
  ASSERT_TRUE(focus_becomes(owner_number_box));
  type_text(L"34");
  ASSERT_TRUE(text_becomes(owner_number_box, L"34"));

  click(control(post_button));
  EXPECT_TRUE(text_becomes(link_box, post_link_34_12))
      << text_of(control(link_box));
  click(control(blog_button));
  EXPECT_TRUE(text_becomes(link_box, blog_link_34_12))
      << text_of(control(link_box));
  // The inputs are read, never written.
  EXPECT_EQ(text_of(control(item_id_box)), L"12");
  EXPECT_EQ(text_of(control(owner_number_box)), L"34");
}

TEST_F(Program, ClickWithEmptyInputsStillWritesALink) {
  click(control(post_button));
  EXPECT_TRUE(text_becomes(
      link_box, compose_share_link(LinkKind::Post, std::wstring_view{},
                                   std::wstring_view{})));
  EXPECT_NE(text_of(control(link_box)).find(L"&res_uin=&cellid=&subid="),
            std::wstring::npos);
}

TEST_F(Program, ClickReplacesWhatTheUserTypedIntoTheLinkBox) {
  ASSERT_TRUE(focus_becomes(item_id_box));
  press_key(VK_TAB);
  ASSERT_TRUE(focus_becomes(link_box));
  type_text(L"a");
  press_key(VK_RETURN);  // the link box keeps Enter: a new line
  type_text(L"b");
  ASSERT_TRUE(text_becomes(link_box, L"a\r\nb"));

  set_text(control(item_id_box), L"12");
  set_text(control(owner_number_box), L"34");
  click(control(post_button));
  EXPECT_TRUE(text_becomes(link_box, post_link_34_12));
  click(control(post_button));  // the same inputs give the same link again
  EXPECT_TRUE(text_becomes(link_box, post_link_34_12));
}

TEST_F(Program, TabAndShiftTabCycleThroughBoxesAndButtons) {
  ASSERT_TRUE(focus_becomes(item_id_box));
  const std::vector<std::wstring_view> forward = {
      L"编辑框2", L"按钮1", L"按钮2", L"编辑框3", L"编辑框1"};
  for (const std::wstring_view name : forward) {
    press_key(VK_TAB);
    EXPECT_TRUE(focus_becomes(control_index(name)))
        << "Tab did not reach control " << control_index(name);
  }
  const std::vector<std::wstring_view> backward = {
      L"编辑框3", L"按钮2", L"按钮1", L"编辑框2", L"编辑框1"};
  for (const std::wstring_view name : backward) {
    press_key(VK_TAB, Shift);
    EXPECT_TRUE(focus_becomes(control_index(name)))
        << "Shift+Tab did not reach control " << control_index(name);
  }
  // Tab in the link box moved on without writing a tab character.
  EXPECT_EQ(text_of(control(link_box)), L"");
}

TEST_F(Program, EnterPressesNoButtonAndKeepsTheFocus) {
  ASSERT_TRUE(focus_becomes(item_id_box));
  set_text(control(item_id_box), L"12");
  set_text(control(owner_number_box), L"34");
  // Each one-line box and button in focus order, with the Tab presses that
  // lead there from the one before.
  const std::pair<std::size_t, int> stops[] = {{item_id_box, 0},
                                               {blog_button, 2},
                                               {post_button, 1},
                                               {owner_number_box, 1}};
  for (const auto& [stop, tabs] : stops) {
    for (int i = 0; i < tabs; ++i) {
      press_key(VK_TAB);
    }
    ASSERT_TRUE(focus_becomes(stop));
    press_key(VK_RETURN);
    press_key(VK_F1);     // help is off
    press_key('Q', Alt);  // no caption has an access key
  }
  // A typed character marks that every key before it has been handled.
  press_key(VK_END);
  type_text(L"5");
  ASSERT_TRUE(text_becomes(owner_number_box, L"345"));
  EXPECT_EQ(program().focus(), control(owner_number_box));
  EXPECT_EQ(text_of(control(link_box)), L"") << "a button was pressed";
  EXPECT_EQ(text_of(control(item_id_box)), L"12");
}

TEST_F(Program, AlternativeInputsAreTakenWhole) {
  // Chinese, a surrogate pair and URL characters typed as real keys.
  const std::wstring owner = L"3 4&#\u53F7";
  const std::wstring item = L"\xD83D\xDD17=%\u65E5";
  ASSERT_TRUE(focus_becomes(item_id_box));
  type_text(item);
  ASSERT_TRUE(text_becomes(item_id_box, item));
  press_key(VK_TAB, Shift);
  ASSERT_TRUE(focus_becomes(owner_number_box));
  type_text(owner);
  ASSERT_TRUE(text_becomes(owner_number_box, owner));
  click(control(blog_button));
  EXPECT_TRUE(
      text_becomes(link_box, compose_share_link(LinkKind::Blog, owner, item)));
}

// Wine's multi-line edit box lays out one unbroken line in worse than
// quadratic time (10,000 characters take seconds, 20,000 nearly a minute),
// so a 100,000-character link cannot be shown here in a test's time. A click
// is proven to compose the exact link from inputs of a few thousand
// characters; that each input box takes 100,000 characters whole is shown
// in-process, and the composer's own tests cover megabyte inputs.
TEST_F(Program, ClickComposesTheExactLinkFromLongInputs) {
  std::wstring owner;
  std::wstring item;
  for (int i = 0; i < 2000; ++i) {
    owner.push_back(static_cast<wchar_t>(L'0' + i % 10));
    item.push_back(static_cast<wchar_t>(L'a' + i % 26));
  }
  set_text(control(item_id_box), item);
  set_text(control(owner_number_box), owner);
  click(control(post_button));
  const std::wstring expected = compose_share_link(LinkKind::Post, owner, item);
  EXPECT_TRUE(wait_until([&] { return text_of(control(link_box)) == expected; },
                         20000));
}

TEST_F(Program, FocusComesBackAfterSwitchingAwayAndAfterMinimising) {
  ASSERT_TRUE(focus_becomes(item_id_box));
  press_key(VK_TAB);
  press_key(VK_TAB);
  press_key(VK_TAB);
  ASSERT_TRUE(focus_becomes(post_button));

  {
    RunningProgram other = RunningProgram::start();
    bring_to_front(other.window());
    ASSERT_TRUE(
        wait_until([&] { return GetForegroundWindow() == other.window(); }));
    bring_to_front(window());
    EXPECT_TRUE(focus_becomes(post_button));
  }

  bring_to_front(window());
  press_key(VK_TAB);
  ASSERT_TRUE(focus_becomes(owner_number_box));
  SendMessageW(window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(window()) != FALSE; }));
  SendMessageW(window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(window()) == FALSE; }));
  bring_to_front(window());
  EXPECT_TRUE(focus_becomes(owner_number_box));
}

TEST_F(Program, TwoStartsGiveTwoIndependentWindows) {
  RunningProgram second = RunningProgram::start();
  EXPECT_NE(second.window(), window());
  EXPECT_NE(second.process_id(), program().process_id());

  bring_to_front(second.window());
  type_text(L"7");
  ASSERT_TRUE(
      wait_until([&] { return text_of(second.control(item_id_box)) == L"7"; }));
  EXPECT_EQ(text_of(control(item_id_box)), L"");

  PostMessageW(second.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(second.wait_for_exit(), 0U);
  EXPECT_TRUE(IsWindow(window()));
  EXPECT_EQ(program().wait_for_exit(0), std::nullopt);
}

// Every way of closing the window ends the program with exit code 0.
struct CloseCase {
  const char* what;
  std::size_t focus_tabs;  // Tab presses from the item ID box
  void (*close)(HWND window);
};

class Closing : public ::testing::TestWithParam<CloseCase> {};

TEST_P(Closing, EndsTheProgramWithExitCodeZero) {
  RunningProgram program = RunningProgram::start();
  bring_to_front(program.window());
  ASSERT_TRUE(wait_until(
      [&] { return program.focus() == program.control(item_id_box); }));
  type_text(L"typed text is lost without a question");
  for (std::size_t i = 0; i < GetParam().focus_tabs; ++i) {
    press_key(VK_TAB);
  }
  GetParam().close(program.window());
  EXPECT_EQ(program.wait_for_exit(), 0U);
}

const CloseCase close_cases[] = {
    {"Esc in the item ID box", 0, [](HWND) { press_key(VK_ESCAPE); }},
    {"Esc in the link box", 1, [](HWND) { press_key(VK_ESCAPE); }},
    {"Esc on a button", 2, [](HWND) { press_key(VK_ESCAPE); }},
    {"Esc in the owner number box", 4, [](HWND) { press_key(VK_ESCAPE); }},
    {"Alt+F4", 0, [](HWND) { press_key(VK_F4, Alt); }},
    {"window menu Close", 0,
     [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"close box", 0,
     [](HWND w) {
       // The close box is at the right end of the title bar.
       RECT rect{};
       GetWindowRect(w, &rect);
       const int x = rect.right - GetSystemMetrics(SM_CXFRAME) -
                     GetSystemMetrics(SM_CXSIZE) / 2;
       const int y = rect.top + GetSystemMetrics(SM_CYFRAME) +
                     GetSystemMetrics(SM_CYCAPTION) / 2;
       SetCursorPos(x, y);
       INPUT inputs[2]{};
       inputs[0].type = inputs[1].type = INPUT_MOUSE;
       inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
       inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
       SendInput(2, inputs, sizeof(INPUT));
     }},
};

std::string close_case_name(const ::testing::TestParamInfo<CloseCase>& param) {
  std::string name;
  for (const char c : std::string(param.param.what)) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      name += c;
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryWay, Closing, ::testing::ValuesIn(close_cases),
                         close_case_name);

TEST(ProgramArguments, MakeNoDifference) {
  RunningProgram program =
      RunningProgram::start(L"tesvorin.exe", L"--help /? 34 12 \"a b\"");
  RECT rect{};
  GetWindowRect(program.window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 400);
  for (const std::size_t box : {item_id_box, link_box, owner_number_box}) {
    EXPECT_EQ(text_of(program.control(box)), L"");
  }
  bring_to_front(program.window());
  press_key(VK_ESCAPE);
  EXPECT_EQ(program.wait_for_exit(), 0U);
}

// A build of the program whose allocations above 16 KiB fail: reading an
// input box of 10,000 characters needs more, so a click must take the
// program's one failure path.
TEST(OutOfMemory, ShowsAnErrorBoxThenEndsWithMinusOne) {
  RunningProgram program =
      RunningProgram::start(L"tesvorin_allocation_limit.exe");
  set_text(program.control(item_id_box), std::wstring(10000, L'9'));
  bring_to_front(program.window());
  click(program.control(post_button));

  const HWND box = find_window_of(program.process_id(), L"#32770", 10000);
  ASSERT_NE(box, nullptr) << "no error box";
  std::array<wchar_t, 64> caption{};
  GetWindowTextW(box, caption.data(), static_cast<int>(caption.size()));
  EXPECT_STREQ(caption.data(), L"Tesvorin");
  std::wstring message;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    message += text_of(child);
  }
  EXPECT_NE(message.find(L"内存不足"), std::wstring::npos);
  EXPECT_EQ(program.wait_for_exit(0), std::nullopt)
      << "ended before the box was dismissed";

  bring_to_front(box);
  press_key(VK_RETURN);
  EXPECT_EQ(program.wait_for_exit(), 0xFFFFFFFFU);
}

}  // namespace
}  // namespace tesvorin::testing
