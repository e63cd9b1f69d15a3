#pragma once
// The window and its controls as the layout table gives them: the outer size,
// and for each control its class, rectangle in client coordinates, styles and
// creation text, in creation order (which is also the stacking order).

#include <windows.h>
#include <commctrl.h>

#include "WindowTexts.h"

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

// The controls of 窗口 in creation order, one line each as the layout table has
// them: id, class, left, top, width, height, styles, extended styles, tab stop,
// text. The sunken borders are WS_EX_CLIENTEDGE; the drop-down list is created
// with the room of its list (kDroppedListHeight).
inline constexpr ControlLayout kControls[] = {
    {kStatusBarId, STATUSCLASSNAMEW, 0, 350, 629, 20, SBT_TOOLTIPS, 0, false, ""},
    {kResultListId, WC_LISTVIEWW, 24, 72, 600, 272, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, true, ""},
    {kPageCountBoxId, WC_EDITW, 385, 26, 48, 20, ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, ""},
    {kPageCountLabelId, WC_STATICW, 288, 24, 88, 24, kLabelStyle, 0, false, kPageCountLabelText},
    {kSearchButtonId, WC_BUTTONW, 464, 20, 80, 32, BS_PUSHBUTTON, 0, true, kSearchButtonText},
    {kCategoryListId, WC_COMBOBOXW, 132, 26, 136, 20, CBS_DROPDOWNLIST | WS_VSCROLL, 0, true, ""},
    {kCategoryLabelId, WC_STATICW, 24, 24, 104, 24, kLabelStyle, 0, false, kCategoryLabelText},
};

// A drop-down is created at least this high: the room of its dropped list.
inline constexpr int kDroppedListHeight = 160;

// The status bar's parts: a fixed label, then the search run's progress and total.
enum StatusPart : int { kStatusLabelPart = 0, kStatusProgressPart = 1 };
inline constexpr int kStatusPartWidths[] = {40, -1};
inline constexpr int kTitleColumnWidth = 258;
inline constexpr int kLinkColumnWidth = 315;
