#pragma once
// The keys the window handles itself before any control sees them, and the
// message loop that gives it the chance.

#include <windows.h>

// The control that Tab (or Shift+Tab when backwards) moves the focus to from
// `from`: the window's visible, enabled tab-stop children in reverse creation
// order, wrapping around. From anywhere else Tab goes to the first of them and
// Shift+Tab to the last. Null when there is none.
HWND NextInTabCycle(HWND window, HWND from, bool backwards);

// Tab and Shift+Tab move the focus, Esc closes the window, F1 is swallowed.
// True when the message was taken and must not be dispatched.
bool HandleWindowKey(HWND window, const MSG& message);

// Whether the page-count box drops a typed character (a WM_CHAR code) rather
// than letting the edit box see it.
bool PageCountBoxRefuses(WPARAM character);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND window);
