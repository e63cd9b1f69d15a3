#include "StatusBar.h"

#include <commctrl.h>

#include <vector>

#include "WideText.h"

void StatusBar::SetParts(const int* widths, std::size_t count) {
  std::vector<int> rightEdges(count);
  int edge = 0;
  for (std::size_t i = 0; i < count; ++i) {
    edge += widths[i];
    rightEdges[i] = widths[i] < 0 ? -1 : edge;
  }
  SendMessageW(bar_, SB_SETPARTS, count, reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::SetText(int part, const Text& text) {
  SendMessageW(bar_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(WideFromText(text).c_str()));
}

void StatusBar::FollowWindowSize(UINT sizeState, int width, int height) {
  SendMessageW(bar_, WM_SIZE, sizeState, MAKELPARAM(width, height));
}
