#pragma once
// The status bar along the bottom edge: a fixed label part and the part the
// search run writes its progress and total into. Every message to the status
// bar goes through here.

#include <windows.h>

#include <cstddef>

#include "Text.h"

class StatusBar {
 public:
  StatusBar() = default;
  // The status bar made from the control table.
  explicit StatusBar(HWND bar) : bar_(bar) {}
  HWND Handle() const { return bar_; }

  // Parts of the given widths from the left; a width of -1 takes the rest.
  void SetParts(const int* widths, std::size_t count);
  void SetText(int part, const Text& text);
  // The bar docks itself to the bottom edge whenever it is told the window's
  // new client size (a WM_SIZE of the window, passed on).
  void FollowWindowSize(UINT sizeState, int width, int height);

 private:
  HWND bar_ = nullptr;
};
