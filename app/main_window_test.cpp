// MainWindow created in this process and inspected directly: what another
// process cannot read (fonts, icons, the window menu, stacking) and the key
// rules through the real message loop with real input.
#include "main_window.hpp"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "message_loop.hpp"

namespace tesvorin {
namespace {

constexpr ULONGLONG wait_limit_ms = 5000;

std::wstring text_of(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)),
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1)));
  return text;
}

std::wstring class_of(HWND window) {
  std::array<wchar_t, 64> name{};
  GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

RECT client_rect_of(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect),
                  2);
  return rect;
}

SIZE icon_size(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) {
    return {0, 0};
  }
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask,
             sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) {
    DeleteObject(info.hbmColor);
  }
  DeleteObject(info.hbmMask);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

void send_key(WORD virtual_key, bool shift = false, bool alt = false) {
  std::array<INPUT, 6> inputs{};
  UINT count = 0;
  const auto add = [&](WORD key, bool up) {
    INPUT& input = inputs.at(count++);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  };
  if (shift) add(VK_SHIFT, false);
  if (alt) add(VK_MENU, false);
  add(virtual_key, false);
  add(virtual_key, true);
  if (alt) add(VK_MENU, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(count, inputs.data(), sizeof(INPUT));
}

void type_character(wchar_t unit) {
  std::array<INPUT, 2> inputs{};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, inputs.data(), sizeof(INPUT));
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(window_.create(), std::nullopt);
    SetForegroundWindow(window_.handle());
    ASSERT_TRUE(pump_until([&] {
      return GetForegroundWindow() == window_.handle() &&
             GetFocus() == control(item_id_box);
    }));
  }

  void TearDown() override {
    // Destroy the window now and deliver what that sends, so the next test
    // starts with an empty queue and no WM_QUIT left over.
    if (window_.handle() != nullptr) {
      DestroyWindow(window_.handle());
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) {
        DispatchMessageW(&message);
      }
    }
  }

  HWND control(std::size_t index) const { return window_.control(index); }

  // Runs the program's own message delivery until `done` holds.
  bool pump_until(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + wait_limit_ms;
    while (GetTickCount64() < deadline) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          quit_seen_ = true;
          continue;
        }
        deliver_message(window_, message);
      }
      if (done()) {
        return true;
      }
      Sleep(5);
    }
    return done();
  }

  MainWindow window_;
  bool quit_seen_ = false;
};

TEST_F(MainWindowTest, WindowHasAFixedFrameAndNoMaximise) {
  const HWND window = window_.handle();
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto extended =
      static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0U);
  EXPECT_EQ(extended & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0U);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_EQ(text_of(window), L"Tesvorin");

  RECT rect{};
  GetWindowRect(window, &rect);
  const ScreenPoint at = centred_position(GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(rect.left, at.x);
  EXPECT_EQ(rect.top, at.y);
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 279);

  EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND),
            static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)),
            LoadCursorW(nullptr, IDC_ARROW));

  const HMENU menu = GetSystemMenu(window, FALSE);
  ASSERT_NE(menu, nullptr);
  for (const UINT present :
       std::array<UINT, 3>{SC_MOVE, SC_MINIMIZE, SC_CLOSE}) {
    EXPECT_NE(GetMenuState(menu, present, MF_BYCOMMAND), 0xFFFFFFFFU)
        << present;
  }
  for (const UINT absent : std::array<UINT, 2>{SC_SIZE, SC_MAXIMIZE}) {
    EXPECT_EQ(GetMenuState(menu, absent, MF_BYCOMMAND), 0xFFFFFFFFU) << absent;
  }
}

TEST_F(MainWindowTest, WindowIconsComeFromTheProgramIcon) {
  const auto big = reinterpret_cast<HICON>(
      SendMessageW(window_.handle(), WM_GETICON, ICON_BIG, 0));
  const auto small = reinterpret_cast<HICON>(
      SendMessageW(window_.handle(), WM_GETICON, ICON_SMALL, 0));
  const SIZE big_size = icon_size(big);
  const SIZE small_size = icon_size(small);
  EXPECT_EQ(big_size.cx, 32);
  EXPECT_EQ(big_size.cy, 32);
  EXPECT_EQ(small_size.cx, 16);
  EXPECT_EQ(small_size.cy, 16);
}

TEST_F(MainWindowTest, ControlsAreRealisedFromTheirRecords) {
  const auto gui_font =
      reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (std::size_t i = 0; i < main_window_controls.size(); ++i) {
    const ControlRecord& record = main_window_controls.at(i);
    const HWND control = window_.control(i);
    SCOPED_TRACE(i);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), window_.handle());
    EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(i) + 1);

    const RECT rect = client_rect_of(control);
    EXPECT_EQ(rect.left, record.rect.left);
    EXPECT_EQ(rect.top, record.rect.top);
    EXPECT_EQ(rect.right - rect.left, record.rect.width);
    EXPECT_EQ(rect.bottom - rect.top, record.rect.height);

    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_TRUE(IsWindowEnabled(control));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
              gui_font);
    EXPECT_EQ(text_of(control), record.text);

    const auto style =
        static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const auto extended =
        static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
    EXPECT_EQ((style & WS_TABSTOP) != 0, record.tab_stop);
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL | WS_BORDER), 0U);

    switch (record.kind) {
      case ControlKind::OneLineEdit:
      case ControlKind::MultiLineEdit: {
        const bool multi = record.kind == ControlKind::MultiLineEdit;
        EXPECT_EQ(class_of(control), L"Edit");
        EXPECT_NE(extended & WS_EX_CLIENTEDGE, 0U);
        EXPECT_EQ((style & ES_MULTILINE) != 0, multi);
        EXPECT_EQ((style & ES_AUTOHSCROLL) != 0, !multi);
        EXPECT_EQ((style & ES_AUTOVSCROLL) != 0, multi);
        EXPECT_EQ((style & ES_WANTRETURN) != 0, multi);
        EXPECT_EQ(
            style & (ES_CENTER | ES_RIGHT | ES_NOHIDESEL | ES_PASSWORD |
                     ES_UPPERCASE | ES_LOWERCASE | ES_NUMBER | ES_READONLY),
            0U);
        EXPECT_GE(
            static_cast<DWORD>(SendMessageW(control, EM_GETLIMITTEXT, 0, 0)),
            0x7FFFFFFEU);
        DWORD start = 1;
        DWORD end = 1;
        SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0U);
        EXPECT_EQ(end, 0U);
        break;
      }
      case ControlKind::PushButton:
        EXPECT_EQ(class_of(control), L"Button");
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
        EXPECT_EQ(style & (BS_CENTER | BS_VCENTER | BS_MULTILINE),
                  static_cast<DWORD>(BS_CENTER | BS_VCENTER | BS_MULTILINE));
        EXPECT_EQ(extended & WS_EX_CLIENTEDGE, 0U);
        break;
      case ControlKind::Label:
        EXPECT_EQ(class_of(control), L"Static");
        EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFTNOWORDWRAP));
        EXPECT_EQ(style & (SS_CENTERIMAGE | SS_NOPREFIX),
                  static_cast<DWORD>(SS_CENTERIMAGE | SS_NOPREFIX));
        EXPECT_EQ(style & SS_SUNKEN, 0U);
        EXPECT_EQ(extended & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0U);
        break;
    }
  }
}

TEST_F(MainWindowTest, EachControlIsStackedAboveTheOnesCreatedBefore) {
  std::vector<HWND> top_to_bottom;
  for (HWND child = GetWindow(window_.handle(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    top_to_bottom.push_back(child);
  }
  ASSERT_EQ(top_to_bottom.size(), main_window_controls.size());
  for (std::size_t i = 0; i < top_to_bottom.size(); ++i) {
    EXPECT_EQ(top_to_bottom[i], control(main_window_controls.size() - 1 - i))
        << "place " << i;
  }
}

TEST_F(MainWindowTest, BoxesAreBlackOnWhiteAndLabelsBlackOnTheFace) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  const auto box_brush = SendMessageW(
      window_.handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(control(link_box)));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(box_brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));

  SetTextColor(dc, RGB(1, 2, 3));
  const auto label_brush = SendMessageW(
      window_.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(control(control_index(L"标签1"))));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(label_brush),
            GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DeleteDC(dc);
}

TEST_F(MainWindowTest, OneLineBoxesCentreTheirLineInTheFrame) {
  for (const std::size_t box : {item_id_box, owner_number_box}) {
    SCOPED_TRACE(box);
    const HWND edit = control(box);
    HDC dc = GetDC(edit);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(edit, dc);

    RECT window_rect{};
    RECT client{};
    GetWindowRect(edit, &window_rect);
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.bottom - client.top, metrics.tmHeight);
    const LONG above = client.top - window_rect.top;
    const LONG below = window_rect.bottom - client.bottom;
    EXPECT_LE(std::abs(above - below), 1)
        << above << " above, " << below << " below";
    // The band above the line is frame: a click there is not in the text.
    const LPARAM band =
        MAKELPARAM(client.left + 10, window_rect.top + above - 1);
    EXPECT_NE(SendMessageW(edit, WM_NCHITTEST, 0, band), HTCLIENT);
  }
}

TEST_F(MainWindowTest, ClickHandlersReplaceTheLinkBoxAndLeaveTheInputs) {
  SetWindowTextW(control(item_id_box), L"12");
  SetWindowTextW(control(owner_number_box), L"34");
  SetWindowTextW(control(link_box), L"typed by the user");

  window_.handle_post_click();
  EXPECT_EQ(text_of(control(link_box)),
            compose_share_link(LinkKind::Post, L"34", L"12"));
  window_.handle_blog_click();
  EXPECT_EQ(text_of(control(link_box)),
            compose_share_link(LinkKind::Blog, L"34", L"12"));
  EXPECT_EQ(text_of(control(item_id_box)), L"12");
  EXPECT_EQ(text_of(control(owner_number_box)), L"34");

  // The button's own click notification reaches the same handler.
  SendMessageW(control(control_index(L"按钮2")), BM_CLICK, 0, 0);
  EXPECT_EQ(text_of(control(link_box)),
            compose_share_link(LinkKind::Post, L"34", L"12"));
}

// Checked in the program's own process: Wine's one-line edit box takes time
// quadratic in the text's length to take a new text (100,000 characters take
// about 8 s), and passing it to another process and back costs as much again.
TEST_F(MainWindowTest, InputBoxesTakeAHundredThousandCharactersWhole) {
  std::wstring text;
  for (int i = 0; i < 100000; ++i) {
    text.push_back(static_cast<wchar_t>(L'0' + i % 10));
  }
  for (const std::size_t box : {item_id_box, owner_number_box}) {
    SetWindowTextW(control(box), text.c_str());
    EXPECT_EQ(GetWindowTextLengthW(control(box)), 100000);
    EXPECT_TRUE(text_of(control(box)) == text);
  }
}

TEST_F(MainWindowTest, TabNeverWritesIntoTheLinkBoxAndEnterDoes) {
  send_key(VK_TAB);
  ASSERT_TRUE(pump_until([&] { return GetFocus() == control(link_box); }));
  type_character(L'a');
  send_key(VK_RETURN);
  type_character(L'b');
  ASSERT_TRUE(pump_until([&] {
    return text_of(control(link_box)) == L"a\r\nb";
  })) << "link box holds: "
      << text_of(control(link_box)).size() << " units";
  send_key(VK_TAB);
  ASSERT_TRUE(pump_until(
      [&] { return GetFocus() == control(control_index(L"按钮1")); }));
  send_key(VK_TAB, true);
  ASSERT_TRUE(pump_until([&] { return GetFocus() == control(link_box); }));
  EXPECT_EQ(text_of(control(link_box)), L"a\r\nb");
}

TEST_F(MainWindowTest, EscClosesTheWindowAndEndsTheLoop) {
  send_key(VK_ESCAPE);
  EXPECT_TRUE(pump_until([&] { return quit_seen_; }));
  EXPECT_EQ(window_.handle(), nullptr);
}

}  // namespace
}  // namespace tesvorin
