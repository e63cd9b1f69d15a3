// Keys in the window: the page-count filter, Tab and Shift+Tab, Esc, Enter,
// F1, and where the focus goes when the window gets it back.

#include "OpenWindow.h"
#include "WideText.h"
#include "WindowKeys.h"

namespace {

using Keyboard = OpenWindow;

TEST_F(Keyboard, PageCountBoxTakesOnlyDigitsAndMinusOfTypedCharacters) {
  const struct {
    std::wstring typed;
    Text shown;
  } cases[] = {
      {L"a", ""}, {L".", ""}, {L" ", ""}, {L"页", ""}, {L"５", ""}, {L"+", ""},
      {L"1", "1"}, {L"2", "2"}, {L"-", "-"}, {L"0123456789-", "0123456789-"},
      {L"1a2.3 4x-", "1234-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(TextFromWide(c.typed));
    SetWindowTextW(pageCountBox, L"");
    SetFocus(pageCountBox);
    driver->Type(c.typed);
    EXPECT_EQ(WindowText(pageCountBox), c.shown);
    EXPECT_EQ(main->ReadPageCountText(), c.shown);
  }
}

TEST(PageCountFilter, DropsEnterWhichTheBoxWouldBeepAtAndLetsEditingKeysPass) {
  const struct {
    WPARAM character;
    bool refused;
  } cases[] = {
      {L'\r', true}, {L'\n', true},  // Enter and Ctrl+Enter
      {L'a', true},  {L' ', true},   {0x9875, true},  // 页
      {L'0', false}, {L'9', false},  {L'-', false},
      {0x08, false}, {0x16, false},  {0x03, false},  {0x18, false},  // backspace, Ctrl+V, Ctrl+C, Ctrl+X
  };
  for (const auto& c : cases) EXPECT_EQ(PageCountBoxRefuses(c.character), c.refused) << c.character;
}

TEST_F(Keyboard, BackspaceAndPasteAreNotFiltered) {
  SetFocus(pageCountBox);
  driver->Type(L"123");
  driver->Key(VK_BACK);
  EXPECT_EQ(WindowText(pageCountBox), "12");

  PutOnClipboard(L"abc");
  SetWindowTextW(pageCountBox, L"");
  SendMessageW(pageCountBox, WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(pageCountBox), "abc");

  // Ctrl+V arrives as a control character, which passes the filter too.
  PutOnClipboard(L"x 7");
  SetWindowTextW(pageCountBox, L"");
  driver->KeyWith(VK_CONTROL, 'V');
  EXPECT_EQ(WindowText(pageCountBox), "x 7");
  EXPECT_EQ(main->ReadPageCountText(), "x 7");
}

TEST_F(Keyboard, TabCyclesThroughTheTabStopsInTabOrder) {
  ASSERT_EQ(GetFocus(), categoryList);
  const HWND forwards[] = {searchButton, pageCountBox, list, categoryList, searchButton};
  for (HWND expected : forwards) {
    driver->Key(VK_TAB);
    EXPECT_EQ(GetFocus(), expected);
  }
  // Now on the search button: Shift+Tab goes back the other way round.
  const HWND backwards[] = {categoryList, list, pageCountBox, searchButton, categoryList};
  for (HWND expected : backwards) {
    driver->KeyWith(VK_SHIFT, VK_TAB);
    EXPECT_EQ(GetFocus(), expected);
  }
  // Tab moves the focus and types nothing into the box.
  EXPECT_EQ(WindowText(pageCountBox), "");
}

TEST_F(Keyboard, TabPassesOverADisabledButton) {
  EnableWindow(searchButton, FALSE);
  driver->Key(VK_TAB);
  EXPECT_EQ(GetFocus(), pageCountBox);
  driver->KeyWith(VK_SHIFT, VK_TAB);
  EXPECT_EQ(GetFocus(), categoryList);
}

class EscWherever : public OpenWindow, public ::testing::WithParamInterface<int> {};

TEST_P(EscWherever, ClosesTheWindowAndEndsTheMessageLoop) {
  HWND focus = GetDlgItem(window, GetParam());
  SetFocus(focus);
  ASSERT_EQ(GetFocus(), focus);
  const HWND closing = window;
  QueueKey(VK_ESCAPE);
  EXPECT_EQ(RunMessageLoopUntilIdle(window), 0);
  EXPECT_FALSE(IsWindow(closing));
  EXPECT_EQ(main->Handle(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Focus, EscWherever,
                         ::testing::Values(kCategoryListId, kSearchButtonId, kPageCountBoxId, kResultListId));

class AltF4Wherever : public OpenWindow, public ::testing::WithParamInterface<int> {};

TEST_P(AltF4Wherever, ClosesTheWindow) {
  if (GetParam() == kCategoryListId && RunningOnWine()) {
    // Wine's drop-down list swallows every system key but Alt+Up and
    // Alt+Down; Windows' passes the rest on to the window.
    GTEST_SKIP() << "Wine's combo box keeps Alt+F4 from the window";
  }
  SetFocus(GetDlgItem(window, GetParam()));
  const HWND closing = window;
  QueueKey(VK_F4, VK_MENU);
  EXPECT_EQ(RunMessageLoopUntilIdle(window), 0);
  EXPECT_FALSE(IsWindow(closing));
}

INSTANTIATE_TEST_SUITE_P(Focus, AltF4Wherever,
                         ::testing::Values(kCategoryListId, kSearchButtonId, kPageCountBoxId, kResultListId));

TEST_F(Keyboard, EnterAndF1StartNothingWhileSpaceOnTheButtonSearches) {
  SetWindowTextW(pageCountBox, L"1");
  for (HWND focus : {searchButton, pageCountBox, categoryList, list}) {
    SetFocus(focus);
    driver->Key(VK_RETURN);
    driver->Key(VK_F1);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(GetFocus(), focus);
  }
  EXPECT_TRUE(site.asked.empty());
  EXPECT_EQ(StatusPartText(statusBar, 1), "");
  // Enter did not make the button a default button either.
  EXPECT_EQ(StyleOf(searchButton) & BS_TYPEMASK, BS_PUSHBUTTON);

  SetFocus(searchButton);
  driver->Key(VK_SPACE);
  EXPECT_EQ(site.asked.size(), 1u);
  EXPECT_EQ(StatusPartText(statusBar, 1), "数据检索完成，共计0条信息");
  // The button was disabled for the run and has the focus again after it,
  // so the keys of the window still work.
  EXPECT_EQ(GetFocus(), searchButton);
  driver->Key(VK_TAB);
  EXPECT_EQ(GetFocus(), pageCountBox);
}

TEST_F(Keyboard, TheWindowHandsTheFocusBackToTheControlThatLastHadIt) {
  driver->Key(VK_TAB);
  driver->Key(VK_TAB);
  ASSERT_EQ(GetFocus(), pageCountBox);

  // Another window takes the focus, then ours is activated again.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 10, 10, 80, 40, nullptr, nullptr,
                               nullptr, nullptr);
  SetActiveWindow(other);
  driver->Settle();
  ASSERT_NE(GetFocus(), pageCountBox);
  SetActiveWindow(window);
  driver->Settle();
  EXPECT_EQ(GetFocus(), pageCountBox);
  DestroyWindow(other);

  // The same after the window was minimised and restored.
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  driver->Settle();
  SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  driver->Settle();
  EXPECT_EQ(GetFocus(), pageCountBox);

  // Focus given to the window itself goes on to that control as well.
  SetFocus(window);
  EXPECT_EQ(GetFocus(), pageCountBox);
}

}  // namespace
