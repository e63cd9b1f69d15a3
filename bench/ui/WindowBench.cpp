// Timings of the real main window under Wine (or Windows):
//   - rows appended to the result list with a repaint after each, as a search
//     run does, over 10,000 rows, and the cost of the first and last 1,000;
//   - start-up to a shown, idle window, in this process and as a new process;
//   - the working set after a search of 100 prepared pages.
// Prints one line per figure. Not a test: it checks nothing.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CategoryCatalogue.h"
#include "MainWindow.h"
#include "MainWindowLayout.h"
#include "ProgramEntry.h"
#include "SearchRun.h"

namespace {

const ProgramSite kBenchSite{"http://listings.test", "listings.test"};

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpUntilIdle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
}

double MegaBytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// A list page of about 80 KB with 25 entries in the site's form, in GBK.
ByteBuffer MakeListPage(int page) {
  std::string text = "<html><head><title>最新电影</title></head><body><ul>\r\n";
  for (int entry = 0; entry < 25; ++entry) {
    const int serial = page * 100 + entry;
    text += "<li><b><a href=\"/html/gndy/dyzz/20261201/" + std::to_string(10000 + serial) +
            ".html\" class=\"ulink\">2026年剧情《长河" + std::to_string(serial) + "》HD国语中字</a></b>\r\n";
    text += "<p>◎译名　长河 ◎年代　2026 ◎产地　中国 ◎类别　剧情 ◎语言　国语 ◎字幕　中文</p></li>\r\n";
    while (text.size() < static_cast<std::size_t>((entry + 1) * 3200)) text += "<p>简介：一段很长的影片介绍文字。</p>\r\n";
  }
  text += "</ul></body></html>";
  return ByteBuffer(text.begin(), text.end());
}

void BenchRows() {
  MainWindow window(kBenchSite, [](const Text&) { return ByteBuffer(); });
  if (!window.Create(GetModuleHandleW(nullptr))) return;
  window.ShowCentred();
  PumpUntilIdle();

  constexpr int kRows = 10000;
  std::vector<double> perRow(kRows);
  const Text title = "2026年剧情《长河》HD国语中字";
  const Text link = kBenchSite.siteBase + "/html/gndy/dyzz/20261201/10001.html";
  const double start = Now();
  for (int row = 0; row < kRows; ++row) {
    const double before = Now();
    window.AppendRow(title, link);
    window.RepaintRows();
    perRow[row] = Now() - before;
  }
  const double total = Now() - start;
  double first = 0, last = 0;
  for (int row = 0; row < 1000; ++row) first += perRow[row];
  for (int row = kRows - 1000; row < kRows; ++row) last += perRow[row];
  std::printf("rows: %d rows appended with a repaint after each in %.3f s: %.0f rows/s\n", kRows, total, kRows / total);
  std::printf("rows: first 1000 rows %.1f ms (%.3f ms/row), last 1000 rows %.1f ms (%.3f ms/row)\n", first * 1e3,
              first, last * 1e3, last);

  // The same rows without the repaint, to tell the list's own cost from painting.
  window.ClearRows();
  PumpUntilIdle();
  const double plainStart = Now();
  for (int row = 0; row < kRows; ++row) window.AppendRow(title, link);
  const double plain = Now() - plainStart;
  std::printf("rows: the same %d rows without a repaint in %.3f s: %.0f rows/s\n", kRows, plain, kRows / plain);
}

void BenchStartInProcess() {
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    const double start = Now();
    MainWindow window(kBenchSite, [](const Text&) { return ByteBuffer(); });
    if (!window.Create(GetModuleHandleW(nullptr))) return;
    window.ShowCentred();
    PumpUntilIdle();
    times.push_back(Now() - start);
    DestroyWindow(window.Handle());
    Drain();
  }
  std::sort(times.begin(), times.end());
  std::printf("start-up (in process, create to shown and idle): median %.1f ms of 5, min %.1f ms\n", times[2] * 1e3,
              times[0] * 1e3);
}

// Child: runs the program's entry; at its first idle moment writes the time
// and presses Esc on its own window.
void CALLBACK ReportShown(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  std::printf("%.6f\n", Now());
  std::fflush(stdout);
  HWND window = GetActiveWindow();
  PostMessageW(window, WM_CLOSE, 0, 0);
}

int StartupChild() {
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ReportShown);
  return RunFilmListings(GetModuleHandleW(nullptr), kBenchSite, [](const Text&) { return ByteBuffer(); });
}

void BenchStartAsProcess() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --startup-child";
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return;
    CloseHandle(writeEnd);
    char buffer[64] = {};
    DWORD got = 0;
    std::string output;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(readEnd);
    times.push_back(std::atof(output.c_str()) - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("start-up (new process to shown and idle window): median %.1f ms of 5, min %.1f ms\n", times[2] * 1e3,
              times[0] * 1e3);
}

void BenchSearchMemory() {
  std::vector<ByteBuffer> pages;
  for (int page = 1; page <= 100; ++page) pages.push_back(MakeListPage(page));
  const Text firstPage = ListPageAddress(TemplateFor(kBenchSite.siteBase, 0), 1);
  const Text prefix = firstPage.substr(0, firstPage.size() - std::strlen("1.html"));
  PageSource source = [&](const Text& address) {
    const int page = std::atoi(address.c_str() + prefix.size());
    return page >= 1 && page <= 100 ? pages[static_cast<std::size_t>(page - 1)] : ByteBuffer();
  };

  MainWindow window(kBenchSite, source);
  if (!window.Create(GetModuleHandleW(nullptr))) return;
  window.ShowCentred();
  PumpUntilIdle();
  PROCESS_MEMORY_COUNTERS before{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);

  SetWindowTextW(GetDlgItem(window.Handle(), kPageCountBoxId), L"100");
  const double start = Now();
  SendMessageW(GetDlgItem(window.Handle(), kSearchButtonId), BM_CLICK, 0, 0);
  const double elapsed = Now() - start;
  PumpUntilIdle();
  PROCESS_MEMORY_COUNTERS after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  const auto rows = SendMessageW(GetDlgItem(window.Handle(), kResultListId), LVM_GETITEMCOUNT, 0, 0);
  std::printf("search: 100 pages of %.0f KB, %lld rows in %.3f s\n", static_cast<double>(pages[0].size()) / 1024.0,
              static_cast<long long>(rows), elapsed);
  std::printf("search: working set %.1f MB before, %.1f MB after (peak %.1f MB); pages held by the bench %.1f MB\n",
              MegaBytes(before.WorkingSetSize), MegaBytes(after.WorkingSetSize), MegaBytes(after.PeakWorkingSetSize),
              MegaBytes(pages.size() * pages[0].size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0) return StartupChild();
  BenchStartAsProcess();
  BenchStartInProcess();
  BenchRows();
  BenchSearchMemory();
  return 0;
}
