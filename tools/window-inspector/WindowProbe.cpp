// Reads the film-listings window from another process, for the end-to-end
// test and the headless demo run, which drive the real program from outside.
//
//   window-inspector.exe dump      every control's state and every row
//   window-inspector.exe row N     the screen point at the middle of row N
//   window-inspector.exe close     asks the window to close (WM_CLOSE)
//   window-inspector.exe memory    the program's working set and page-file bytes
//   window-inspector.exe time-run  after "armed": ms from the search button
//                                  going grey to it coming back (one run)
//   window-inspector.exe launch P  starts program P and prints the ms until it
//                                  waits for input and until its window shows
//
// List-view and status-bar messages that carry a buffer are not marshalled
// between processes, so their buffers are allocated inside the program's own
// address space and read back from there.
//
// Texts are printed as the hex of their code page 936 bytes: exact whatever
// the console's code page, and directly comparable with what the listing
// site served. Exit codes: 0 done, 2 usage, 3 window not found, 4 busy (the
// window did not answer in time, as during a search run), 5 other failure.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr UINT kAnswerTimeoutMs = 3000;
constexpr int kExitUsage = 2, kExitNoWindow = 3, kExitBusy = 4, kExitFailure = 5;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The window's own bytes, so that the comparison with the site is byte for
// byte; code page 936 named explicitly, never the system's.
std::string Cp936FromUtf16(const std::wstring& wide) {
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char byte : bytes) {
    out += digits[byte >> 4];
    out += digits[byte & 15];
  }
  return out.empty() ? "-" : out;
}

// A block of memory in the program's address space, freed on every path.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size)
      : process_(process),
        size_(size),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  void* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  size_t Size() const { return size_; }

  bool Write(size_t offset, const void* data, size_t length) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, Address(offset), data, length, &written) && written == length;
  }
  bool Read(size_t offset, void* data, size_t length) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, Address(offset), data, length, &read) && read == length;
  }

 private:
  HANDLE process_;
  size_t size_;
  void* address_;
};

struct Failure {
  int exitCode;
  const char* what;
};

// A message to a window of the program, given up after a while: during a
// search run the program takes no messages at all.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, &result)) {
    throw Failure{kExitBusy, "the window did not answer"};
  }
  return static_cast<LRESULT>(result);
}

struct Controls {
  HWND window = nullptr;
  HWND list = nullptr;
  HWND status = nullptr;
  HWND button = nullptr;
  HWND edit = nullptr;
  HWND combo = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK NoteChild(HWND child, LPARAM state) {
  auto& controls = *reinterpret_cast<Controls*>(state);
  std::wstring name = ClassOf(child);
  if (name == WC_LISTVIEWW) controls.list = child;
  else if (name == STATUSCLASSNAMEW) controls.status = child;
  else if (name == L"Button") controls.button = child;
  else if (name == L"Edit" && GetParent(child) == controls.window) controls.edit = child;
  else if (name == L"ComboBox") controls.combo = child;
  return TRUE;
}

// The tool's window is the visible top-level window holding a list view and a
// status bar; nothing else in the test's Wine prefix has both.
BOOL CALLBACK NoteTopLevel(HWND window, LPARAM state) {
  auto& found = *reinterpret_cast<Controls*>(state);
  if (!IsWindowVisible(window)) return TRUE;
  Controls controls;
  controls.window = window;
  EnumChildWindows(window, NoteChild, reinterpret_cast<LPARAM>(&controls));
  if (controls.list && controls.status) {
    found = controls;
    return FALSE;
  }
  return TRUE;
}

Controls FindToolWindow() {
  Controls controls;
  EnumWindows(NoteTopLevel, reinterpret_cast<LPARAM>(&controls));
  if (!controls.window) throw Failure{kExitNoWindow, "no film-listings window"};
  return controls;
}

UniqueHandle OpenOwner(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, processId);
  if (!process) throw Failure{kExitFailure, "cannot open the window's process"};
  return UniqueHandle(process);
}

// The text of one list cell, however long: the room grows until the text
// leaves some of it unused.
std::string CellText(HWND list, HANDLE process, int row, int column) {
  for (size_t room = 1024;; room *= 4) {
    RemoteBuffer remote(process, sizeof(LVITEMW) + room * sizeof(wchar_t));
    if (!remote) throw Failure{kExitFailure, "VirtualAllocEx failed"};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = static_cast<wchar_t*>(remote.Address(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(room);
    if (!remote.Write(0, &item, sizeof item)) throw Failure{kExitFailure, "WriteProcessMemory failed"};
    auto length = static_cast<size_t>(Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                          reinterpret_cast<LPARAM>(remote.Address())));
    if (length + 1 < room) {
      std::wstring text(length, L'\0');
      if (length && !remote.Read(sizeof(LVITEMW), text.data(), length * sizeof(wchar_t))) {
        throw Failure{kExitFailure, "ReadProcessMemory failed"};
      }
      return Cp936FromUtf16(text);
    }
  }
}

std::string StatusPartText(HWND status, HANDLE process, int part) {
  auto length = static_cast<size_t>(LOWORD(Ask(status, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0)));
  RemoteBuffer remote(process, (length + 1) * sizeof(wchar_t));
  if (!remote) throw Failure{kExitFailure, "VirtualAllocEx failed"};
  Ask(status, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(remote.Address()));
  std::wstring text(length, L'\0');
  if (length && !remote.Read(0, text.data(), length * sizeof(wchar_t))) {
    throw Failure{kExitFailure, "ReadProcessMemory failed"};
  }
  return Cp936FromUtf16(text);
}

// WM_GETTEXT is marshalled between processes; GetWindowText of another
// process's control would only give its creation text.
std::string WindowText(HWND window) {
  auto length = static_cast<size_t>(Ask(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  length = static_cast<size_t>(Ask(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(length);
  return Cp936FromUtf16(text);
}

void PrintPlace(const char* name, HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  std::printf("%s rect=%ld,%ld,%ld,%ld center=%ld,%ld enabled=%d\n", name, rect.left, rect.top, rect.right,
              rect.bottom, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2,
              IsWindowEnabled(control) ? 1 : 0);
}

int Dump() {
  Controls controls = FindToolWindow();
  UniqueHandle process = OpenOwner(controls.window);
  PrintPlace("window", controls.window);
  std::printf("caption %s\n", Hex(WindowText(controls.window)).c_str());
  if (controls.button) {
    PrintPlace("button", controls.button);
    std::printf("button-text %s\n", Hex(WindowText(controls.button)).c_str());
  }
  if (controls.edit) {
    PrintPlace("edit", controls.edit);
    std::printf("edit-text %s\n", Hex(WindowText(controls.edit)).c_str());
  }
  if (controls.combo) {
    PrintPlace("combo", controls.combo);
    std::printf("combo-selection %d\n", static_cast<int>(Ask(controls.combo, CB_GETCURSEL, 0, 0)));
  }
  PrintPlace("list", controls.list);
  int rows = static_cast<int>(Ask(controls.list, LVM_GETITEMCOUNT, 0, 0));
  int selected = static_cast<int>(Ask(controls.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  std::printf("list-rows %d\nlist-selection %d\n", rows, selected);
  int parts = static_cast<int>(Ask(controls.status, SB_GETPARTS, 0, 0));
  std::printf("status-parts %d\n", parts);
  for (int part = 0; part < parts; ++part) {
    std::printf("status %d %s\n", part, Hex(StatusPartText(controls.status, process.get(), part)).c_str());
  }
  for (int row = 0; row < rows; ++row) {
    std::string title = CellText(controls.list, process.get(), row, 0);
    std::string link = CellText(controls.list, process.get(), row, 1);
    std::printf("row %d %s %s\n", row, Hex(title).c_str(), Hex(link).c_str());
  }
  return 0;
}

// Where a click lands on row N: the middle of its title cell, brought into
// view first.
int RowPoint(int row) {
  Controls controls = FindToolWindow();
  UniqueHandle process = OpenOwner(controls.window);
  Ask(controls.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RemoteBuffer remote(process.get(), sizeof(RECT));
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (!remote || !remote.Write(0, &rect, sizeof rect)) throw Failure{kExitFailure, "cannot pass the rectangle"};
  if (!Ask(controls.list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.Address()))) {
    throw Failure{kExitFailure, "no such row"};
  }
  if (!remote.Read(0, &rect, sizeof rect)) throw Failure{kExitFailure, "ReadProcessMemory failed"};
  POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(controls.list, &middle);
  std::printf("row-point %ld,%ld\n", middle.x, middle.y);
  return 0;
}

int Close() {
  Controls controls = FindToolWindow();
  if (!PostMessageW(controls.window, WM_CLOSE, 0, 0)) throw Failure{kExitFailure, "PostMessage failed"};
  return 0;
}

int Memory() {
  Controls controls = FindToolWindow();
  UniqueHandle process = OpenOwner(controls.window);
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
    throw Failure{kExitFailure, "GetProcessMemoryInfo failed"};
  }
  std::printf("working-set-kb %llu\npeak-working-set-kb %llu\npagefile-kb %llu\n",
              static_cast<unsigned long long>(counters.WorkingSetSize / 1024),
              static_cast<unsigned long long>(counters.PeakWorkingSetSize / 1024),
              static_cast<unsigned long long>(counters.PagefileUsage / 1024));
  return 0;
}

double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The button's enabled state is read from its window style, no message
// involved, so it can be watched while the program is busy with the run.
int TimeRun() {
  Controls controls = FindToolWindow();
  if (!controls.button) throw Failure{kExitFailure, "no search button"};
  std::printf("armed\n");
  std::fflush(stdout);
  while (IsWindowEnabled(controls.button)) Sleep(1);
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  while (!IsWindowEnabled(controls.button)) Sleep(1);
  std::printf("run-ms %.1f\n", MillisecondsSince(start));
  return 0;
}

struct ProcessWindow {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK NoteShownWindowOf(HWND window, LPARAM state) {
  auto& wanted = *reinterpret_cast<ProcessWindow*>(state);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == wanted.processId && IsWindowVisible(window)) {
    wanted.window = window;
    return FALSE;
  }
  return TRUE;
}

int Launch(const char* program) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created = {};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  std::string commandLine = std::string("\"") + program + "\"";
  if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
    throw Failure{kExitFailure, "CreateProcess failed"};
  }
  UniqueHandle process(created.hProcess), thread(created.hThread);
  WaitForInputIdle(process.get(), 60000);
  double idle = MillisecondsSince(start);
  ProcessWindow wanted = {created.dwProcessId, nullptr};
  while (!wanted.window && MillisecondsSince(start) < 60000) {
    EnumWindows(NoteShownWindowOf, reinterpret_cast<LPARAM>(&wanted));
    if (!wanted.window) Sleep(1);
  }
  if (!wanted.window) throw Failure{kExitFailure, "the program showed no window"};
  std::printf("input-idle-ms %.1f\nwindow-shown-ms %.1f\n", idle, MillisecondsSince(start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::strcmp(argv[1], "dump") == 0) return Dump();
    if (argc == 3 && std::strcmp(argv[1], "row") == 0) return RowPoint(std::atoi(argv[2]));
    if (argc == 2 && std::strcmp(argv[1], "close") == 0) return Close();
    if (argc == 2 && std::strcmp(argv[1], "memory") == 0) return Memory();
    if (argc == 2 && std::strcmp(argv[1], "time-run") == 0) return TimeRun();
    if (argc == 3 && std::strcmp(argv[1], "launch") == 0) return Launch(argv[2]);
    std::fprintf(stderr, "usage: window-inspector.exe dump | row N | close | memory | time-run | launch PROGRAM\n");
    return kExitUsage;
  } catch (const Failure& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "window-inspector: %s\n", failure.what);
    return failure.exitCode;
  }
}
