#include "WindowKeys.h"

#include <algorithm>
#include <vector>

namespace {

bool TakesPartInTabCycle(HWND control) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The direct child of `window` that holds `hwnd`, or null.
HWND ChildOf(HWND window, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != window) hwnd = GetParent(hwnd);
  return hwnd;
}

bool IsOwnMessage(HWND window, HWND target) {
  return target == window || IsChild(window, target);
}

}  // namespace

HWND NextInTabCycle(HWND window, HWND from, bool backwards) {
  std::vector<HWND> cycle;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (TakesPartInTabCycle(child)) cycle.push_back(child);
  }
  if (cycle.empty()) return nullptr;
  std::reverse(cycle.begin(), cycle.end());

  const auto n = static_cast<std::ptrdiff_t>(cycle.size());
  const auto at = std::find(cycle.begin(), cycle.end(), ChildOf(window, from));
  if (at == cycle.end()) return backwards ? cycle.back() : cycle.front();
  const std::ptrdiff_t i = at - cycle.begin();
  return cycle[static_cast<std::size_t>((i + (backwards ? n - 1 : 1)) % n)];
}

bool HandleWindowKey(HWND window, const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsOwnMessage(window, message.hwnd)) return false;
  switch (message.wParam) {
    case VK_TAB: {
      const bool backwards = GetKeyState(VK_SHIFT) < 0;
      if (HWND next = NextInTabCycle(window, GetFocus(), backwards)) SetFocus(next);
      return true;
    }
    case VK_ESCAPE:
      SendMessageW(window, WM_CLOSE, 0, 0);
      return true;
    case VK_F1:
      return true;
    default:
      return false;
  }
}

bool PageCountBoxRefuses(WPARAM character) {
  if (character == L'\r' || character == L'\n') return true;
  return character >= 32 && !((character >= L'0' && character <= L'9') || character == L'-');
}

int RunMessageLoop(HWND window) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got < 0) return 1;
    if (HandleWindowKey(window, message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
