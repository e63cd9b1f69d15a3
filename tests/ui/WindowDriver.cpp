#include "WindowDriver.h"

#include <commctrl.h>

#include <cstring>

#include "WideText.h"
#include "WindowKeys.h"

namespace {

// A key the program never handles: its release marks the end of earlier input.
constexpr WORD kMarkerKey = VK_F24;
constexpr DWORD kPumpLimitMs = 10000;

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT UnicodeInput(wchar_t character, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = character;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

}  // namespace

void WindowDriver::Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

void WindowDriver::Dispatch(MSG& message) {
  seen_.insert({message.hwnd, message.message});
  if (HandleWindowKey(window_, message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void WindowDriver::Settle() {
  std::vector<INPUT> marker = {KeyInput(kMarkerKey, false), KeyInput(kMarkerKey, true)};
  SendInput(static_cast<UINT>(marker.size()), marker.data(), sizeof(INPUT));
  bool markerSeen = false;
  const DWORD start = GetTickCount();
  // The limit only keeps a broken run from hanging; results never depend on it.
  while (!markerSeen && GetTickCount() - start < kPumpLimitMs) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      // With no control focused, keys reach the active window as system keys.
      const bool isKey = message.message == WM_KEYUP || message.message == WM_KEYDOWN ||
                         message.message == WM_SYSKEYUP || message.message == WM_SYSKEYDOWN;
      if (isKey && message.wParam == kMarkerKey) {
        markerSeen = markerSeen || message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
        continue;
      }
      Dispatch(message);
    }
    if (!markerSeen) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  // Whatever the input left behind (posted or sent messages) is handled too.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

bool WindowDriver::PumpUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > kPumpLimitMs) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

void WindowDriver::Key(WORD virtualKey) { Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)}); }

void WindowDriver::KeyWith(WORD modifier, WORD virtualKey) {
  Send({KeyInput(modifier, false), KeyInput(virtualKey, false), KeyInput(virtualKey, true),
        KeyInput(modifier, true)});
}

void WindowDriver::Type(const std::wstring& characters) {
  for (wchar_t c : characters) Send({UnicodeInput(c, false), UnicodeInput(c, true)});
}

void WindowDriver::Click(POINT screen, Button button, int times) {
  SetCursorPos(screen.x, screen.y);
  const DWORD down = button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  const DWORD up = button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    inputs.push_back(MouseInput(down));
    inputs.push_back(MouseInput(up));
  }
  Send(inputs);
}

void WindowDriver::ClickWith(WORD modifier, POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Send({KeyInput(modifier, false), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
        KeyInput(modifier, true)});
}

POINT WindowDriver::CentreOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT WindowDriver::CentreOfRow(HWND list, int row) {
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  // Inside the first column, where the title is.
  POINT point{rect.left + 40, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &point);
  return point;
}

POINT WindowDriver::CentreOfHeaderItem(HWND list, int column) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT rect{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(header, &point);
  return point;
}

Text WindowText(HWND hwnd) {
  const auto length = static_cast<std::size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()))));
  return TextFromWide(text);
}

Text StatusPartText(HWND statusBar, int part) {
  const auto length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return TextFromWide(text);
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

Text ListCell(HWND list, int row, int column) {
  std::wstring text(8192, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  text.resize(static_cast<std::size_t>(
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))));
  return TextFromWide(text);
}

std::vector<std::pair<Text, Text>> ListRows(HWND list) {
  std::vector<std::pair<Text, Text>> rows;
  for (int row = 0; row < RowCount(list); ++row) rows.emplace_back(ListCell(list, row, 0), ListCell(list, row, 1));
  return rows;
}

RECT RectInClient(HWND control, HWND window) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LONG_PTR StyleOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE); }

bool TakeQuitMessage() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

namespace {
void CALLBACK EndIdleLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kLoopLeftOpen); }
}  // namespace

int RunMessageLoopUntilIdle(HWND window) {
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, EndIdleLoop);
  const int exitCode = RunMessageLoop(window);
  KillTimer(nullptr, timer);
  return exitCode;
}

void PutOnClipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void QueueKey(WORD virtualKey, WORD modifier) {
  std::vector<INPUT> inputs;
  if (modifier) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  if (modifier) inputs.push_back(KeyInput(modifier, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
