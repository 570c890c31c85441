// Measures tesvorin.exe (A) against the baseline program (B), side by side:
// start-up until the window is shown and input-idle, memory once idle and
// after clicks, click latency for short and long inputs, exit code after
// WM_CLOSE. Prints per-round figures, medians and the ratios A/B.
//
//   probe [--rounds R] [--clicks K] A.exe B.exe
//
// Under Wine, memory of another process is reported as Linux figures:
// PrivateUsage is 0, PagefileUsage holds the resident anonymous memory and
// PeakWorkingSetSize the resident peak. Those two are reported.
#ifndef UNICODE
#define UNICODE
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

double now_ms() {
  static const double ticks_per_ms = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

double median(std::vector<double> values) {
  if (values.empty()) {
    return 0;
  }
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle]
                                : (values[middle - 1] + values[middle]) / 2;
}

struct Memory {
  double resident_kib;  // PagefileUsage: resident anonymous memory
  double peak_kib;      // PeakWorkingSetSize
  DWORD gdi_objects;
  DWORD user_objects;
};

Memory memory_of(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process,
                       reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return {static_cast<double>(counters.PagefileUsage) / 1024.0,
          static_cast<double>(counters.PeakWorkingSetSize) / 1024.0,
          GetGuiResources(process, GR_GDIOBJECTS),
          GetGuiResources(process, GR_USEROBJECTS)};
}

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && IsWindowVisible(window) &&
      GetWindow(window, GW_OWNER) == nullptr) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

class Program {
 public:
  explicit Program(const std::wstring& path) {
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double started = now_ms();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
      std::fprintf(stderr, "cannot start %ls\n", path.c_str());
      std::exit(2);
    }
    process_ = info.hProcess;
    CloseHandle(info.hThread);
    WaitForInputIdle(process_, 10000);
    Search search{info.dwProcessId, nullptr};
    while (search.found == nullptr && now_ms() - started < 10000) {
      EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
      if (search.found == nullptr) {
        Sleep(1);
      }
    }
    startup_ms_ = now_ms() - started;
    window_ = search.found;
    if (window_ == nullptr) {
      std::fprintf(stderr, "%ls showed no window\n", path.c_str());
      std::exit(2);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 1);
    }
    CloseHandle(process_);
  }

  [[nodiscard]] double startup_ms() const { return startup_ms_; }
  [[nodiscard]] HANDLE process() const { return process_; }
  [[nodiscard]] HWND control(int id) const { return GetDlgItem(window_, id); }

  // One click on "说说转", timed until the link box holds a text of the
  // expected length.
  double click(LRESULT expected_length) const {
    const HWND button = control(4);
    const HWND link = control(2);
    const double started = now_ms();
    SendMessageW(button, BM_CLICK, 0, 0);
    while (SendMessageW(link, WM_GETTEXTLENGTH, 0, 0) != expected_length) {
      if (now_ms() - started > 10000) {
        std::fprintf(stderr, "a click gave no link of the expected length\n");
        std::exit(2);
      }
    }
    return now_ms() - started;
  }

  DWORD close() const {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_, 10000);
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
  }

 private:
  HANDLE process_ = nullptr;
  HWND window_ = nullptr;
  double startup_ms_ = 0;
};

struct Round {
  double startup_ms;
  Memory idle;
  double short_click_ms;
  double long_click_ms;
  double second_half_growth_kib;
  double total_growth_kib;
  Memory after;
  DWORD exit_code;
};

constexpr LRESULT fixed_length = 7 + 15 + 67 + 8 + 47;

// Each long click takes milliseconds and varies more than a short one; 60
// of them per round keep an A-against-A run within 0.03 of 1.00.
constexpr int long_clicks_per_round = 60;

void set_inputs(const Program& program, const std::wstring& owner,
                const std::wstring& item) {
  SendMessageW(program.control(5), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(owner.c_str()));
  SendMessageW(program.control(1), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(item.c_str()));
}

// Runs both programs side by side, clicks alternating in blocks so that
// load on the machine hits both alike.
void measure_round(const std::wstring (&paths)[2], int clicks, int round,
                   Round (&results)[2]) {
  // Start-up alternates which program goes first.
  const int first = round % 2;
  std::unique_ptr<Program> programs[2];
  programs[first] = std::make_unique<Program>(paths[first]);
  Sleep(100);
  programs[1 - first] = std::make_unique<Program>(paths[1 - first]);
  Sleep(200);

  std::vector<double> short_clicks[2];
  std::vector<double> long_clicks[2];
  Memory half[2];
  for (int p = 0; p < 2; ++p) {
    results[p].startup_ms = programs[p]->startup_ms();
    results[p].idle = memory_of(programs[p]->process());
    set_inputs(*programs[p], L"1234567890", L"0123456789abcdef");
  }

  constexpr int block = 100;
  for (int done = 0; done < clicks; done += block) {
    for (int p = 0; p < 2; ++p) {
      for (int i = done; i < std::min(clicks, done + block); ++i) {
        short_clicks[p].push_back(programs[p]->click(fixed_length + 26));
      }
      if (done + block >= clicks / 2 && done < clicks / 2) {
        half[p] = memory_of(programs[p]->process());
      }
    }
  }
  Memory after_short[2];
  for (int p = 0; p < 2; ++p) {
    after_short[p] = memory_of(programs[p]->process());
    set_inputs(*programs[p], L"1234567890", std::wstring(1000, L'7'));
  }
  for (int i = 0; i < long_clicks_per_round; ++i) {
    for (int p = 0; p < 2; ++p) {
      long_clicks[p].push_back(programs[p]->click(fixed_length + 1010));
    }
  }
  for (int p = 0; p < 2; ++p) {
    Round& r = results[p];
    r.after = memory_of(programs[p]->process());
    r.short_click_ms = median(short_clicks[p]);
    r.long_click_ms = median(long_clicks[p]);
    r.second_half_growth_kib =
        after_short[p].resident_kib - half[p].resident_kib;
    r.total_growth_kib = r.after.resident_kib - r.idle.resident_kib;
    r.exit_code = programs[p]->close();
  }
}

long long file_size(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    return -1;
  }
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = 5;
  int clicks = 2000;
  std::vector<std::wstring> paths;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--rounds" && i + 1 < argc) {
      rounds = std::max(1, _wtoi(argv[++i]));
    } else if (argument == L"--clicks" && i + 1 < argc) {
      clicks = std::max(100, _wtoi(argv[++i]));
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() != 2) {
    std::fprintf(stderr,
                 "usage: probe [--rounds R] [--clicks K] A.exe B.exe\n");
    return 2;
  }
  const std::wstring programs[2] = {paths[0], paths[1]};
  std::printf("A = %ls (%lld bytes)\nB = %ls (%lld bytes)\n", paths[0].c_str(),
              file_size(paths[0]), paths[1].c_str(), file_size(paths[1]));
  std::printf(
      "%d rounds after one warm-up round, %d short clicks and %d with a "
      "1,000-character item ID per program and round\n\n",
      rounds, clicks, long_clicks_per_round);
  std::printf(
      "round prog startup_ms resident_kib peak_kib gdi user "
      "click_us long_click_us growth_2nd_half_kib growth_total_kib "
      "exit\n");

  // The first start of each program fills caches for the rest: not counted.
  {
    Round warm_up[2];
    measure_round(programs, 100, 0, warm_up);
  }

  std::vector<Round> all[2];
  for (int round = 0; round < rounds; ++round) {
    Round results[2];
    measure_round(programs, clicks, round, results);
    for (int p = 0; p < 2; ++p) {
      const Round& r = results[p];
      std::printf(
          "%5d %4c %10.1f %12.0f %8.0f %3lu %4lu %8.1f %13.1f %19.0f "
          "%16.0f 0x%lX\n",
          round + 1, p == 0 ? 'A' : 'B', r.startup_ms, r.idle.resident_kib,
          r.idle.peak_kib, r.idle.gdi_objects, r.idle.user_objects,
          r.short_click_ms * 1000, r.long_click_ms * 1000,
          r.second_half_growth_kib, r.total_growth_kib, r.exit_code);
      all[p].push_back(r);
    }
    std::fflush(stdout);
  }

  struct Figure {
    const char* name;
    double Round::*field;
    double Memory::*memory;
  };
  const Figure figures[] = {
      {"start-up (ms)", &Round::startup_ms, nullptr},
      {"resident anonymous memory once idle (KiB)", nullptr,
       &Memory::resident_kib},
      {"peak working set once idle (KiB)", nullptr, &Memory::peak_kib},
      {"click, short inputs (us)", &Round::short_click_ms, nullptr},
      {"click, 1,000-character item ID (us)", &Round::long_click_ms, nullptr},
      {"growth over the 2nd half of the short clicks (KiB)",
       &Round::second_half_growth_kib, nullptr},
      {"growth over all clicks (KiB)", &Round::total_growth_kib, nullptr},
  };
  std::printf("\n%-52s %10s %10s %7s %17s\n", "median of rounds", "A", "B",
              "A/B", "A/B by round");
  for (const Figure& figure : figures) {
    std::vector<double> values[2];
    for (int p = 0; p < 2; ++p) {
      for (const Round& r : all[p]) {
        values[p].push_back(figure.field != nullptr ? r.*figure.field
                                                    : r.idle.*figure.memory);
      }
    }
    const bool in_us =
        std::string(figure.name).find("(us)") != std::string::npos;
    const double scale = in_us ? 1000 : 1;
    const double a = median(values[0]);
    const double b = median(values[1]);
    double low = 1e30;
    double high = -1e30;
    for (std::size_t i = 0; i < values[0].size(); ++i) {
      if (values[1][i] != 0) {
        low = std::min(low, values[0][i] / values[1][i]);
        high = std::max(high, values[0][i] / values[1][i]);
      }
    }
    if (b != 0) {
      std::printf("%-52s %10.1f %10.1f %7.3f %8.3f..%-7.3f\n", figure.name,
                  a * scale, b * scale, a / b, low, high);
    } else {
      std::printf("%-52s %10.1f %10.1f %7s\n", figure.name, a * scale,
                  b * scale, "-");
    }
  }
  return 0;
}
