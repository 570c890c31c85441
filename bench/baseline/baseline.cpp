// The floor tesvorin is measured against: the smallest sensible Win32
// program with the same window, icon and seven controls. Plain
// CreateWindowExW calls, the default GUI font, and a click handler that
// reads both boxes into one heap buffer, puts the fixed head and tail
// around them and writes the result. No C++ library containers.
#ifndef UNICODE
#define UNICODE
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

constexpr wchar_t head[] =
    L"http://h5.qzone.qq.com/ugc/share?_wv=1&subtype=&ciphertext=&sk="
    L"&blog_photo=&g=84&res_uin=";
constexpr wchar_t key[] = L"&cellid=";
constexpr wchar_t tail[] = L"&subid=&bp1=&bp2=&bp7=&appid=311&g_f=2000000103";

constexpr int item_id = 1;
constexpr int link = 2;
constexpr int post = 4;
constexpr int owner = 5;

HWND controls[8];

void copy(wchar_t*& at, const wchar_t* text, int length) {
  CopyMemory(at, text, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  at += length;
}

void on_post_click() {
  const int item_length = GetWindowTextLengthW(controls[item_id]);
  const int owner_length = GetWindowTextLengthW(controls[owner]);
  const int fixed =
      ARRAYSIZE(head) - 1 + ARRAYSIZE(key) - 1 + ARRAYSIZE(tail) - 1;
  const int total = fixed + item_length + owner_length;
  auto* buffer = static_cast<wchar_t*>(HeapAlloc(
      GetProcessHeap(), 0, static_cast<SIZE_T>(total + 1) * sizeof(wchar_t)));
  if (buffer == nullptr) {
    return;
  }
  wchar_t* at = buffer;
  copy(at, head, ARRAYSIZE(head) - 1);
  at += GetWindowTextW(controls[owner], at, owner_length + 1);
  copy(at, key, ARRAYSIZE(key) - 1);
  at += GetWindowTextW(controls[item_id], at, item_length + 1);
  copy(at, tail, ARRAYSIZE(tail) - 1);
  *at = L'\0';
  SetWindowTextW(controls[link], buffer);
  HeapFree(GetProcessHeap(), 0, buffer);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam,
                           LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == post && HIWORD(wparam) == BN_CLICKED) {
        on_post_click();
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

struct Control {
  const wchar_t* class_name;
  const wchar_t* text;
  DWORD style;
  DWORD extended_style;
  int left, top, width, height;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"BaselineWindow";
  window_class.hIcon = static_cast<HICON>(
      LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  if (RegisterClassExW(&window_class) == 0) {
    return -1;
  }
  const HWND window =
      CreateWindowExW(0, L"BaselineWindow", L"Tesvorin",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      (GetSystemMetrics(SM_CXSCREEN) - 400) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - 279) / 2, 400, 279,
                      nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return -1;
  }
  const DWORD edit = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
  const DWORD button =
      WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
  const DWORD label = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
  const Control table[] = {
      {L"EDIT", L"", edit, WS_EX_CLIENTEDGE, 104, 40, 232, 24},
      {L"EDIT", L"",
       WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
       WS_EX_CLIENTEDGE, 24, 112, 312, 128},
      {L"BUTTON", L"日志转", button, 0, 24, 72, 136, 24},
      {L"BUTTON", L"说说转", button, 0, 176, 72, 136, 24},
      {L"EDIT", L"", edit, WS_EX_CLIENTEDGE, 104, 8, 232, 24},
      {L"STATIC", L"QQ号码", label, 0, 16, 8, 64, 24},
      {L"STATIC", L"说说或者日志ID", label, 0, 3, 39, 98, 24},
  };
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < 7; ++i) {
    const Control& c = table[i];
    controls[i + 1] = CreateWindowExW(
        c.extended_style, c.class_name, c.text, WS_CHILD | WS_VISIBLE | c.style,
        c.left, c.top, c.width, c.height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), instance,
        nullptr);
    SendMessageW(controls[i + 1], WM_SETFONT, font, FALSE);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(controls[item_id]);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
