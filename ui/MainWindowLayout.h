#pragma once
// The window and its controls as the layout table gives them: outer size, and
// for each control its class, rectangle in client coordinates, styles and
// creation text, in creation order (which is also the stacking order).

#include <windows.h>
#include <commctrl.h>

inline constexpr int kWindowWidth = 666;
inline constexpr int kWindowHeight = 409;
// Where the window is created; it is centred on the screen before it shows.
inline constexpr int kStoredLeft = 50;
inline constexpr int kStoredTop = 50;

inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Control identifiers; none is IDOK or IDCANCEL.
enum ControlId : int {
  kStatusBarId = 101,      // 状态条1
  kResultListId = 102,     // 超级列表框1
  kPageCountBoxId = 103,   // 编辑框1
  kPageCountLabelId = 104, // 标签2
  kSearchButtonId = 105,   // 按钮1
  kCategoryListId = 106,   // 组合框1
  kCategoryLabelId = 107,  // 标签1
};

struct ControlLayout {
  ControlId id;
  const wchar_t* className;
  int left, top, width, height;
  DWORD style;  // besides WS_CHILD | WS_VISIBLE, and WS_TABSTOP where tabStop
  DWORD exStyle;
  bool tabStop;
  const char* text;  // code page 936
};

inline constexpr DWORD kLabelStyle = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;

// A drop-down is created at least this high: the room of its dropped list.
inline constexpr int kDroppedListHeight = 160;

inline constexpr int kStatusPartWidths[] = {40, -1};
inline constexpr int kTitleColumnWidth = 258;
inline constexpr int kLinkColumnWidth = 315;
