// The window as it opens: caption, place, frame, controls, contents, focus.

#include <windows.h>
#include <commctrl.h>

#include <shlwapi.h>

#include <string>
#include <vector>

#include "OpenWindow.h"
#include "WideText.h"

namespace {

using WindowAtStart = OpenWindow;

struct ExpectedControl {
  const char* name;
  int id;
  const wchar_t* className;
  RECT rect;  // in client coordinates
  bool tabStop;
};

// The layout table: creation order, class, rectangle, tab stop.
const ExpectedControl kExpectedControls[] = {
    {"状态条1", kStatusBarId, STATUSCLASSNAMEW, {0, 350, 629, 370}, false},
    {"超级列表框1", kResultListId, WC_LISTVIEWW, {24, 72, 624, 344}, true},
    {"编辑框1", kPageCountBoxId, WC_EDITW, {385, 26, 433, 46}, true},
    {"标签2", kPageCountLabelId, WC_STATICW, {288, 24, 376, 48}, false},
    {"按钮1", kSearchButtonId, WC_BUTTONW, {464, 20, 544, 52}, true},
    {"组合框1", kCategoryListId, WC_COMBOBOXW, {132, 26, 268, 46}, true},
    {"标签1", kCategoryLabelId, WC_STATICW, {24, 24, 128, 48}, false},
};

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

TEST_F(WindowAtStart, ShowsTheComposedCaptionCentredOnTheScreen) {
  EXPECT_EQ(WindowText(window),
            "翠微星舍  " + kTestSite.captionHost + " 电影正则检索工具   鼠标右键单击打开选中电影链接");
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 666);
  EXPECT_EQ(rect.bottom - rect.top, 409);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 666) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 409) / 2);
  // The test display is 1920 x 1080.
  EXPECT_EQ(rect.left, 627);
  EXPECT_EQ(rect.top, 335);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_FALSE(ExStyleOf(window) & WS_EX_TOPMOST);
}

TEST_F(WindowAtStart, HasAFixedFrameWithMinimiseAndCloseButNoMaximise) {
  const LONG_PTR style = StyleOf(window);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));

  // No edge or corner of the frame offers to resize.
  RECT rect;
  GetWindowRect(window, &rect);
  const POINT edges[] = {{rect.left, (rect.top + rect.bottom) / 2}, {rect.right - 1, (rect.top + rect.bottom) / 2},
                         {(rect.left + rect.right) / 2, rect.bottom - 1}, {rect.left, rect.top},
                         {rect.right - 1, rect.bottom - 1}};
  for (POINT edge : edges) {
    const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y));
    EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST) << "hit " << hit << " at " << edge.x << "," << edge.y;
  }

  // The system menu keeps Move, Minimise and Close.
  HMENU systemMenu = GetSystemMenu(window, FALSE);
  ASSERT_NE(systemMenu, nullptr);
  for (UINT command : {SC_MOVE, SC_MINIMIZE, SC_CLOSE}) {
    EXPECT_NE(GetMenuState(systemMenu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
  }
}

TEST_F(WindowAtStart, DoubleClickOnTheCaptionDoesNotMaximise) {
  RECT before;
  GetWindowRect(window, &before);
  const POINT caption{before.left + 200, before.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
  ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
  driver->Click(caption, WindowDriver::Button::Left, 2);
  RECT after;
  GetWindowRect(window, &after);
  EXPECT_FALSE(IsZoomed(window));
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(WindowAtStart, CanBeMinimisedAndRestored) {
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  driver->Settle();
  EXPECT_TRUE(IsIconic(window));
  SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  driver->Settle();
  EXPECT_FALSE(IsIconic(window));
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 627);
  EXPECT_EQ(rect.right - rect.left, 666);
}

TEST_F(WindowAtStart, CreatesItsControlsInTableOrderAtTheirRectangles) {
  HWND child = GetWindow(window, GW_CHILD);
  for (const ExpectedControl& expected : kExpectedControls) {
    SCOPED_TRACE(expected.name);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), expected.id);
    EXPECT_EQ(ClassOf(child), expected.className);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_EQ((StyleOf(child) & WS_TABSTOP) != 0, expected.tabStop);
    EXPECT_EQ(SendMessageW(child, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    const RECT rect = RectInClient(child, window);
    if (expected.id == kStatusBarId) {
      // The bar docks itself along the bottom edge over the full width.
      RECT client;
      GetClientRect(window, &client);
      EXPECT_EQ(rect.left, 0);
      EXPECT_EQ(rect.right, client.right);
      EXPECT_EQ(rect.bottom, client.bottom);
    } else if (expected.id == kCategoryListId) {
      // The closed height follows from the font; the dropped list has 160.
      EXPECT_EQ(rect.left, expected.rect.left);
      EXPECT_EQ(rect.top, expected.rect.top);
      EXPECT_EQ(rect.right, expected.rect.right);
      // Its closed height follows from the font; its creation height is
      // checked where the window is created under a hook.
    } else {
      EXPECT_EQ(rect.left, expected.rect.left);
      EXPECT_EQ(rect.top, expected.rect.top);
      EXPECT_EQ(rect.right, expected.rect.right);
      EXPECT_EQ(rect.bottom, expected.rect.bottom);
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "a control beyond the table";
  EXPECT_EQ(SendMessageW(window, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(WindowAtStart, ShowsItsStartContentsWithTheFocusOnTheCategoryList) {
  EXPECT_EQ(WindowText(categoryLabel), "翠微星舍板块：");
  EXPECT_EQ(WindowText(pageCountLabel), "检索页数：");
  EXPECT_EQ(WindowText(searchButton), "检索");
  EXPECT_EQ(WindowText(pageCountBox), "");
  EXPECT_EQ(WindowText(categoryList), "最新电影");
  EXPECT_EQ(RowCount(list), 0);
  EXPECT_EQ(StatusPartText(statusBar, 0), "状态：");
  EXPECT_EQ(StatusPartText(statusBar, 1), "");
  EXPECT_EQ(GetFocus(), categoryList);
  EXPECT_EQ(main->ReadCategoryIndex(), 0);
  EXPECT_EQ(main->ReadPageCountText(), "");
}

TEST_F(WindowAtStart, CategoryListHoldsTheFiveCategoriesUnsorted) {
  const char* expected[] = {"最新电影", "国内电影", "综合电影", "欧美电影", "日韩电影"};
  ASSERT_EQ(SendMessageW(categoryList, CB_GETCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) {
    wchar_t item[64] = {};
    SendMessageW(categoryList, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(TextFromWide(item), expected[i]) << i;
  }
  EXPECT_EQ(SendMessageW(categoryList, CB_GETCURSEL, 0, 0), 0);
  const LONG_PTR style = StyleOf(categoryList);
  EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
  EXPECT_FALSE(style & CBS_SORT);

}

// Item heights the window asks of its drop-down lists while it is created,
// and the heights drop-down lists are created with.
std::vector<std::pair<WPARAM, LPARAM>> itemHeightRequests;
std::vector<int> dropDownCreationHeights;

LRESULT CALLBACK NoteDropDownCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (ClassOf(reinterpret_cast<HWND>(wParam)) == WC_COMBOBOXW) {
      dropDownCreationHeights.push_back(create->cy);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK NoteItemHeightRequests(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == CB_SETITEMHEIGHT) itemHeightRequests.emplace_back(sent->wParam, sent->lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(CategoryList, IsCreatedWithRoomForItsListAndTallerItems) {
  itemHeightRequests.clear();
  dropDownCreationHeights.clear();
  LRESULT platformHeight = 0;
  {
  HHOOK sentHook = SetWindowsHookExW(WH_CALLWNDPROC, NoteItemHeightRequests, nullptr, GetCurrentThreadId());
  HHOOK createHook = SetWindowsHookExW(WH_CBT, NoteDropDownCreation, nullptr, GetCurrentThreadId());
  MainWindow main(kTestSite, PreparedPages().Source());
  ASSERT_TRUE(main.Create(GetModuleHandleW(nullptr)));
  UnhookWindowsHookEx(sentHook);
  UnhookWindowsHookEx(createHook);
  EXPECT_EQ(dropDownCreationHeights, std::vector<int>{160});
  HWND categoryList = GetDlgItem(main.Handle(), kCategoryListId);

  HWND plain = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 136, 160,
                               main.Handle(), nullptr, nullptr, nullptr);
  SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  platformHeight = SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(plain);

  ASSERT_EQ(itemHeightRequests.size(), 1u);
  EXPECT_EQ(itemHeightRequests[0].first, 0u);  // the list items, not the selection field
  EXPECT_EQ(itemHeightRequests[0].second, platformHeight + 1);
  // Wine's combo box passes CB_SETITEMHEIGHT on to its list only when the
  // items are owner-drawn, so there the request has no visible effect.
  if (!RunningOnWine()) {
    EXPECT_EQ(SendMessageW(categoryList, CB_GETITEMHEIGHT, 0, 0), platformHeight + 1);
  }
  }
  TakeQuitMessage();
}

TEST_F(WindowAtStart, StatusBarHasTwoPartsWithTooltipsAndNoGrip) {
  int edges[4] = {};
  ASSERT_EQ(SendMessageW(statusBar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 40);
  EXPECT_EQ(edges[1], -1);
  EXPECT_TRUE(StyleOf(statusBar) & SBT_TOOLTIPS);
  EXPECT_FALSE(StyleOf(statusBar) & SBARS_SIZEGRIP);
  for (int part = 0; part < 2; ++part) {
    // Default drawing style, no icon.
    EXPECT_EQ(HIWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0)), 0) << part;
    EXPECT_EQ(SendMessageW(statusBar, SB_GETICON, static_cast<WPARAM>(part), 0), 0) << part;
    wchar_t tip[32] = L"x";
    SendMessageW(statusBar, SB_GETTIPTEXTW, MAKEWPARAM(part, 32), reinterpret_cast<LPARAM>(tip));
    EXPECT_EQ(std::wstring(tip), L"") << part;
  }
}

TEST_F(WindowAtStart, ResultListIsASingleSelectionReportWithTwoColumns) {
  const LONG_PTR style = StyleOf(list);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & (LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER));
  EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
  EXPECT_TRUE(ExStyleOf(list) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  EXPECT_TRUE(StyleOf(header) & HDS_BUTTONS);
  // Wine gives every list's header HDS_DRAGDROP and refuses the drag itself
  // when the list lacks LVS_EX_HEADERDRAGDROP (checked above). A drag of a
  // heading made with SendInput reorders nothing under Wine even where the
  // list allows it, so the refusal cannot be shown by a drag here.
  if (!RunningOnWine()) {
    EXPECT_FALSE(StyleOf(header) & HDS_DRAGDROP);
  }

  const struct {
    const char* heading;
    int width;
  } columns[] = {{"电影名", 258}, {"链接地址", 315}};
  for (int i = 0; i < 2; ++i) {
    wchar_t heading[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = heading;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(TextFromWide(heading), columns[i].heading);
    EXPECT_EQ(column.cx, columns[i].width);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  LVCOLUMNW third{};
  third.mask = LVCF_WIDTH;
  EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 2, reinterpret_cast<LPARAM>(&third)));
}

TEST_F(WindowAtStart, EditLabelsAndButtonHaveTheirStyles) {
  const LONG_PTR edit = StyleOf(pageCountBox);
  EXPECT_TRUE(edit & ES_CENTER);
  EXPECT_TRUE(edit & ES_AUTOHSCROLL);
  EXPECT_FALSE(edit & (ES_MULTILINE | ES_NOHIDESEL | ES_NUMBER | ES_READONLY | ES_PASSWORD));
  EXPECT_TRUE(ExStyleOf(pageCountBox) & WS_EX_CLIENTEDGE);
  for (HWND label : {categoryLabel, pageCountLabel}) {
    const LONG_PTR style = StyleOf(label);
    EXPECT_EQ(style & SS_TYPEMASK, SS_CENTER);
    EXPECT_TRUE(style & SS_CENTERIMAGE);
    EXPECT_TRUE(style & SS_NOPREFIX);
    EXPECT_FALSE(style & (WS_BORDER | SS_SUNKEN | SS_NOTIFY | WS_TABSTOP));
    EXPECT_FALSE(ExStyleOf(label) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  }
  EXPECT_EQ(StyleOf(searchButton) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(WindowAtStart, CarriesTheApplicationIconAsLargeAndSmallIcon) {
  EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrW(window, GCLP_HICONSM), 0);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)),
            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  // DEFAULT_ICON is the first icon of the module, the one Explorer shows.
  std::wstring first;
  EnumResourceNamesW(
      nullptr, reinterpret_cast<LPCWSTR>(RT_GROUP_ICON),
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        *reinterpret_cast<std::wstring*>(found) = IS_INTRESOURCE(name) ? L"#" : name;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, L"DEFAULT_ICON");
}

TEST_F(WindowAtStart, DrawsItsControlsWithCommonControlsSix) {
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  auto getVersion = reinterpret_cast<HRESULT(CALLBACK*)(DLLVERSIONINFO*)>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
  ASSERT_NE(getVersion, nullptr);
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;
  ASSERT_EQ(getVersion(&version), S_OK);
  // Wine's version 6 assembly still calls itself 5.81; that it was loaded from
  // the side-by-side assembly the manifest names shows on both systems.
  if (!RunningOnWine()) {
    EXPECT_EQ(version.dwMajorVersion, 6u);
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(comctl, path, MAX_PATH);
  CharLowerW(path);
  EXPECT_NE(std::wstring(path).find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
      << TextFromWide(path);

  // The manifest also keeps the program at the user's own rights.
  HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                         SizeofResource(nullptr, manifest));
  EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
}

TEST(ProgramResources, CarryVersionInformation) {
  HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
  ASSERT_NE(info, nullptr);
  const auto* block = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
  std::vector<BYTE> copy(block, block + SizeofResource(nullptr, info));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  wchar_t* name = nullptr;
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\080404B0\\OriginalFilename",
                             reinterpret_cast<void**>(&name), &size));
  EXPECT_EQ(std::wstring(name), L"film-listings.exe");
}

}  // namespace
