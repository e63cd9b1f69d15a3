// The program from start-up to shut-down: the entry function creates and
// shows the window and runs the message loop until the window is closed, or
// ends at once when the window cannot be created.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "MainWindowLayout.h"
#include "OpenWindow.h"
#include "ProgramEntry.h"

namespace {

// What the running program looked like when its loop first fell idle.
struct SeenAtStart {
  int idleTicks = 0;
  HWND window = nullptr;
  bool visible = false;
  RECT rect{};
  Text caption;
  HWND focus = nullptr;
  HWND categoryList = nullptr;
};
SeenAtStart seen;

BOOL CALLBACK FindOwnWindow(HWND hwnd, LPARAM) {
  if (GetDlgItem(hwnd, kCategoryListId)) seen.window = hwnd;
  return seen.window == nullptr;
}

// Looks at the window once the loop is idle, then presses Esc. Were the window
// still open at the next idle moment, the loop is ended from here.
void CALLBACK LookThenPressEsc(HWND, UINT, UINT_PTR, DWORD) {
  if (++seen.idleTicks > 1) {
    PostQuitMessage(kLoopLeftOpen);
    return;
  }
  EnumThreadWindows(GetCurrentThreadId(), FindOwnWindow, 0);
  if (!seen.window) return;
  seen.visible = IsWindowVisible(seen.window);
  GetWindowRect(seen.window, &seen.rect);
  seen.caption = WindowText(seen.window);
  seen.focus = GetFocus();
  seen.categoryList = GetDlgItem(seen.window, kCategoryListId);
  QueueKey(VK_ESCAPE);
}

TEST(ProgramEntry, ShowsTheWindowCentredAndEndsWithZeroWhenItIsClosed) {
  seen = SeenAtStart();
  TakeQuitMessage();
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, LookThenPressEsc);
  const int exitCode = RunFilmListings(GetModuleHandleW(nullptr), kTestSite, PreparedPages().Source());
  KillTimer(nullptr, timer);

  EXPECT_EQ(exitCode, 0);
  ASSERT_NE(seen.window, nullptr);
  EXPECT_TRUE(seen.visible);
  EXPECT_EQ(seen.rect.left, 627);
  EXPECT_EQ(seen.rect.top, 335);
  EXPECT_EQ(seen.rect.right - seen.rect.left, 666);
  EXPECT_EQ(seen.rect.bottom - seen.rect.top, 409);
  EXPECT_EQ(seen.caption, "翠微星舍  " + kTestSite.captionHost + " 电影正则检索工具   鼠标右键单击打开选中电影链接");
  EXPECT_EQ(seen.focus, seen.categoryList);
  EXPECT_FALSE(IsWindow(seen.window));
}

// Window classes whose creation the hook refuses.
std::wstring refusedClass;

LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    wchar_t name[64] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
    if (refusedClass == name) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class WindowNotCreated : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(WindowNotCreated, EndsTheProgramWithoutAMessageLoop) {
  TakeQuitMessage();
  refusedClass = GetParam();
  // A message loop, had one been entered, would end on this and return it.
  constexpr int kLoopWasEntered = 77;
  PostQuitMessage(kLoopWasEntered);
  HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
  const int exitCode = RunFilmListings(GetModuleHandleW(nullptr), kTestSite, PreparedPages().Source());
  UnhookWindowsHookEx(hook);

  EXPECT_NE(exitCode, 0);
  EXPECT_NE(exitCode, kLoopWasEntered);
  EXPECT_EQ(exitCode, kWindowNotCreatedExitCode);
  EXPECT_TRUE(TakeQuitMessage()) << "the quit message was taken by a loop";
  seen = SeenAtStart();
  EnumThreadWindows(GetCurrentThreadId(), FindOwnWindow, 0);
  EXPECT_EQ(seen.window, nullptr) << "a window was left behind";
}

// The window itself, and a control without which the window is not made.
INSTANTIATE_TEST_SUITE_P(Refused, WindowNotCreated,
                         ::testing::Values(L"FilmListingsMainWindow", WC_LISTVIEWW, STATUSCLASSNAMEW));

}  // namespace
