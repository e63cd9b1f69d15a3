#pragma once
// The window's layout: its outer size, the control table (for each control its
// class, rectangle in client coordinates, styles and creation text, in creation
// order, which is also the stacking order) and the tab order beside it.

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
  kStatusBarId = 101,
  kResultListId = 102,
  kPageCountBoxId = 103,
  kPageCountLabelId = 104,
  kSearchButtonId = 105,
  kCategoryListId = 106,
  kCategoryLabelId = 107,
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

// The control table: the window's controls in creation order, one line each:
// id, class, left, top, width, height, styles, extended styles, tab stop, text.
// The sunken borders are WS_EX_CLIENTEDGE; the drop-down list is created with
// the room of its list (kDroppedListHeight).
inline constexpr ControlLayout kControls[] = {
    {kStatusBarId, STATUSCLASSNAMEW, 0, 350, 629, 20, SBT_TOOLTIPS, 0, false, ""},
    {kResultListId, WC_LISTVIEWW, 24, 72, 600, 272, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, true, ""},
    {kPageCountBoxId, WC_EDITW, 385, 26, 48, 20, ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, ""},
    {kPageCountLabelId, WC_STATICW, 288, 24, 88, 24, kLabelStyle, 0, false, kPageCountLabelText},
    {kSearchButtonId, WC_BUTTONW, 464, 20, 80, 32, BS_PUSHBUTTON, 0, true, kSearchButtonText},
    {kCategoryListId, WC_COMBOBOXW, 132, 26, 136, 20, CBS_DROPDOWNLIST | WS_VSCROLL, 0, true, ""},
    {kCategoryLabelId, WC_STATICW, 24, 24, 104, 24, kLabelStyle, 0, false, kCategoryLabelText},
};

// Where Tab moves the focus, in turn and wrapping around; Shift+Tab goes the
// other way. Controls that are hidden or disabled at the time are passed over.
inline constexpr ControlId kTabOrder[] = {kCategoryListId, kSearchButtonId, kPageCountBoxId, kResultListId};

// Every tab stop of the control table is in the tab order once, and nothing else is.
constexpr bool TabOrderHoldsEachTabStopOnce() {
  for (const ControlLayout& control : kControls) {
    int times = 0;
    for (ControlId id : kTabOrder) times += id == control.id ? 1 : 0;
    if (times != (control.tabStop ? 1 : 0)) return false;
  }
  for (ControlId id : kTabOrder) {
    bool known = false;
    for (const ControlLayout& control : kControls) known = known || control.id == id;
    if (!known) return false;
  }
  return true;
}
static_assert(TabOrderHoldsEachTabStopOnce(), "kTabOrder and the tab stops of kControls disagree");

// A drop-down is created at least this high: the room of its dropped list.
inline constexpr int kDroppedListHeight = 160;

// The status bar's parts: a fixed label, then the search run's progress and total.
enum StatusPart : int { kStatusLabelPart = 0, kStatusProgressPart = 1 };
inline constexpr int kStatusPartWidths[] = {40, -1};
inline constexpr int kTitleColumnWidth = 258;
inline constexpr int kLinkColumnWidth = 315;
