// The window as the search run's view: each operation on the real controls.

#include <windows.h>
#include <commctrl.h>

#include "OpenWindow.h"

namespace {

using WindowAsSearchView = OpenWindow;

TEST_F(WindowAsSearchView, ReadsTheCategoryFromTheListAtTheMomentOfTheCall) {
  EXPECT_EQ(main->ReadCategoryIndex(), 0);
  SendMessageW(categoryList, CB_SETCURSEL, 4, 0);
  EXPECT_EQ(main->ReadCategoryIndex(), 4);
  SendMessageW(categoryList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(main->ReadCategoryIndex(), -1);
}

TEST_F(WindowAsSearchView, ReadsThePageCountAsCodePage936Text) {
  // Full-width digits pasted into the box reach the run as their GBK bytes,
  // whatever the system's code page, and count as digits there.
  PutOnClipboard(L"０３");
  SendMessageW(pageCountBox, WM_PASTE, 0, 0);
  EXPECT_EQ(main->ReadPageCountText(), "\xA3\xB0\xA3\xB3");
  driver->Click(WindowDriver::CentreOf(searchButton));
  EXPECT_EQ(site.asked.size(), 3u);
}

TEST_F(WindowAsSearchView, ADisabledButtonTakesNoClick) {
  main->SetSearchEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(searchButton));
  driver->Click(WindowDriver::CentreOf(searchButton));
  EXPECT_TRUE(site.asked.empty());
  main->SetSearchEnabled(true);
  driver->Click(WindowDriver::CentreOf(searchButton));
  EXPECT_EQ(site.asked.size(), 1u);
}

TEST_F(WindowAsSearchView, AppendsRowsAtTheEndAndClearsThemAll) {
  main->AppendRow("甲", "http://a/1");
  main->AppendRow("", "");
  main->AppendRow("丙", "http://a/3");
  const std::vector<std::pair<Text, Text>> expected = {{"甲", "http://a/1"}, {"", ""}, {"丙", "http://a/3"}};
  EXPECT_EQ(ListRows(list), expected);
  main->ClearRows();
  EXPECT_EQ(RowCount(list), 0);
}

TEST_F(WindowAsSearchView, RepaintRowsLeavesNothingOfTheListWaitingToBePainted) {
  main->AppendRow("甲", "http://a/1");
  RECT waiting;
  ASSERT_TRUE(GetUpdateRect(list, &waiting, FALSE)) << "a new row waits to be painted";
  main->RepaintRows();
  EXPECT_FALSE(GetUpdateRect(list, &waiting, FALSE));
}

TEST_F(WindowAsSearchView, SetsOnlyTheSecondPartOfTheStatusBar) {
  main->SetStatusText("数据检索完成，共计0条信息");
  EXPECT_EQ(StatusPartText(statusBar, 1), "数据检索完成，共计0条信息");
  EXPECT_EQ(StatusPartText(statusBar, 0), "状态：");
  main->SetStatusText("");
  EXPECT_EQ(StatusPartText(statusBar, 1), "");
}

}  // namespace
