#include "program_driver.hpp"

#include <array>
#include <stdexcept>
#include <vector>

namespace tesvorin::testing {

std::wstring sibling_program(std::wstring_view file_name) {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length =
      GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring folder(path.data(), length);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder.append(file_name);
}

bool wait_until(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (true) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) {
      return true;
    }
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(10);
  }
}

namespace {

struct WindowSearch {
  DWORD process_id;
  std::wstring_view class_name;
  HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  std::array<wchar_t, 64> name{};
  GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  if (owner == search.process_id && search.class_name == name.data() &&
      IsWindowVisible(window)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND find_window_of(DWORD process_id, std::wstring_view class_name,
                    DWORD timeout_ms) {
  WindowSearch search{process_id, class_name, nullptr};
  wait_until(
      [&] {
        EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout_ms);
  return search.found;
}

RunningProgram RunningProgram::start(std::wstring_view file_name,
                                     std::wstring_view arguments) {
  std::wstring command_line = L"\"" + sibling_program(file_name) + L"\"";
  if (!arguments.empty()) {
    command_line.append(L" ").append(arguments);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &info)) {
    throw std::runtime_error("CreateProcessW failed");
  }
  RunningProgram program;
  program.process_.reset(info.hProcess);
  CloseHandle(info.hThread);
  program.process_id_ = info.dwProcessId;
  program.thread_id_ = info.dwThreadId;
  WaitForInputIdle(info.hProcess, 10000);
  program.window_ = find_window_of(info.dwProcessId, L"TesvorinMainWindow");
  if (program.window_ == nullptr) {
    throw std::runtime_error("the main window did not appear");
  }
  return program;
}

RunningProgram::~RunningProgram() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND RunningProgram::control(std::size_t index) const noexcept {
  return GetDlgItem(window_, static_cast<int>(index) + 1);
}

HWND RunningProgram::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread_id_, &info) ? info.hwndFocus : nullptr;
}

std::optional<DWORD> RunningProgram::wait_for_exit(DWORD timeout_ms) const {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::wstring text_of(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000,
                      &length);
  std::vector<wchar_t> buffer(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                      reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                      10000, &copied);
  return {buffer.data(), copied};
}

void set_text(HWND window, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                      30000, &result);
}

void bring_to_front(HWND window) {
  SetForegroundWindow(window);
  wait_until([&] { return GetForegroundWindow() == window; }, 3000);
  Sleep(50);
}

namespace {

INPUT key_input(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void send(std::vector<INPUT>& inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void press_key(WORD virtual_key, unsigned modifiers) {
  std::vector<INPUT> inputs;
  const std::array<std::pair<unsigned, WORD>, 3> held = {
      {{Ctrl, VK_CONTROL}, {Shift, VK_SHIFT}, {Alt, VK_MENU}}};
  for (const auto& [flag, key] : held) {
    if ((modifiers & flag) != 0) {
      inputs.push_back(key_input(key, false));
    }
  }
  inputs.push_back(key_input(virtual_key, false));
  inputs.push_back(key_input(virtual_key, true));
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    if ((modifiers & it->first) != 0) {
      inputs.push_back(key_input(it->second, true));
    }
  }
  send(inputs);
}

void type_text(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (const wchar_t unit : text) {
    for (const bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  send(inputs);
}

void click(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  const int x = (rect.left + rect.right) / 2;
  const int y = (rect.top + rect.bottom) / 2;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  std::vector<INPUT> inputs(3);
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, width - 1);
    input.mi.dy = MulDiv(y, 65535, height - 1);
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  send(inputs);
}

}  // namespace tesvorin::testing
