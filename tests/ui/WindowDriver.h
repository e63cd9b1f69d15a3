#pragma once
// Drives a real window the way a user does (SendInput: keys and clicks) and
// reads controls back through Win32 queries. Messages are pumped the way the
// program's own message loop does, window keys included.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Text.h"

class WindowDriver {
 public:
  explicit WindowDriver(HWND window) : window_(window) {}

  // Processes every message until all input sent so far has been handled.
  void Settle();
  // Processes messages until the predicate holds; false if it never does.
  bool PumpUntil(const std::function<bool()>& done);

  void Key(WORD virtualKey);
  void KeyWith(WORD modifier, WORD virtualKey);
  // Each character as typed (a Unicode key press), whatever the keyboard layout.
  void Type(const std::wstring& characters);

  enum class Button { Left, Right };
  void Click(POINT screen, Button button = Button::Left, int times = 1);
  void ClickWith(WORD modifier, POINT screen);
  // Middle of a control, of a list row, of a header item, in screen coordinates.
  static POINT CentreOf(HWND control);
  static POINT CentreOfRow(HWND list, int row);
  static POINT CentreOfHeaderItem(HWND list, int column);

  // Whether a message of this kind reached this window while pumping.
  bool Saw(HWND hwnd, UINT message) const { return seen_.count({hwnd, message}) != 0; }

 private:
  void Send(std::vector<INPUT> inputs);
  void Dispatch(MSG& message);

  HWND window_;
  std::set<std::pair<HWND, UINT>> seen_;
};

// Win32 reads of controls, as the user sees them.
Text WindowText(HWND hwnd);
Text StatusPartText(HWND statusBar, int part);
int RowCount(HWND list);
Text ListCell(HWND list, int row, int column);
std::vector<std::pair<Text, Text>> ListRows(HWND list);
RECT RectInClient(HWND control, HWND window);
LONG_PTR StyleOf(HWND hwnd);
LONG_PTR ExStyleOf(HWND hwnd);
// Wine, where it differs from Windows, is allowed for by name.
bool RunningOnWine();
// Drops a WM_QUIT that a destroyed window left behind; true if there was one.
bool TakeQuitMessage();

// Runs the program's own message loop until WM_QUIT and returns its code. If
// the loop ever falls idle with this window still open, a WM_QUIT with
// kLoopLeftOpen ends it, so a window that fails to close fails the test
// instead of hanging it. Input sent before the call is handled first: input
// always comes before timer messages.
inline constexpr int kLoopLeftOpen = 99;
int RunMessageLoopUntilIdle(HWND window);

// Sends a key press (with a modifier held) and leaves it in the queue.
void QueueKey(WORD virtualKey, WORD modifier = 0);

// Puts a text on the clipboard, as another program would.
void PutOnClipboard(const std::wstring& text);
