// A search from the window: the button starts a run over prepared pages, the
// rows and status texts appear in the controls, the list keeps its order and
// its single selection.

#include <windows.h>
#include <commctrl.h>

#include "OpenWindow.h"
#include "WideText.h"

namespace {

const Text kPathA = "/html/gndy/dyzz/20261201/10001.html";
const Text kPathB = "/html/gndy/dyzz/20261202/10002.html";
const Text kPathC = "/html/gndy/dyzz/20261203/10003.html";
const Text kTitleA = "2026年剧情《长河》HD国语中字";
const Text kTitleB = "2026年喜剧《星辰\xA1\xA1归途》BD中英双字";  // an ideographic space inside
const Text kTitleC = "Zebra";

Text Link(const Text& path) { return kTestSite.siteBase + path; }

class Search : public OpenWindow {
 protected:
  void SetUp() override {
    OpenWindow::SetUp();
    // Page 1: two entries, page 2: none, page 3: one.
    site.pages[ListPage(0, 1)] = Bytes("<ul>" + Anchor(kPathB, kTitleB) + "\r\n" + Anchor(kPathA, kTitleA) + "</ul>");
    site.pages[ListPage(0, 2)] = Bytes("<html>no entries</html>");
    site.pages[ListPage(0, 3)] = Bytes(Anchor(kPathC, kTitleC));
  }
};

TEST_F(Search, FillsTheRowsAndStatusAndEnablesTheButtonAgain) {
  struct Moment {
    bool buttonEnabled;
    int rows;
    Text status;
  };
  std::vector<Moment> duringFetches;
  site.duringFetch = [&] {
    duringFetches.push_back({IsWindowEnabled(searchButton) != FALSE, RowCount(list), StatusPartText(statusBar, 1)});
  };

  RunSearch(L"3");

  EXPECT_EQ(site.asked, (std::vector<Text>{ListPage(0, 1), ListPage(0, 2), ListPage(0, 3)}));
  ASSERT_EQ(duringFetches.size(), 3u);
  EXPECT_FALSE(duringFetches[0].buttonEnabled);
  EXPECT_EQ(duringFetches[0].status, "");
  // Page 2 and 3 are fetched with the rows and progress of page 1 in place.
  EXPECT_EQ(duringFetches[1].rows, 2);
  EXPECT_EQ(duringFetches[1].status, "数据检索中，请稍后...当前第1页，第2条");
  EXPECT_EQ(duringFetches[2].status, "数据检索中，请稍后...当前第1页，第2条");
  EXPECT_FALSE(duringFetches[2].buttonEnabled);

  const std::vector<std::pair<Text, Text>> expected = {
      {kTitleB, Link(kPathB)}, {kTitleA, Link(kPathA)}, {kTitleC, Link(kPathC)}};
  EXPECT_EQ(ListRows(list), expected);
  EXPECT_EQ(StatusPartText(statusBar, 1), "数据检索完成，共计3条信息");
  EXPECT_EQ(StatusPartText(statusBar, 0), "状态：");
  EXPECT_TRUE(IsWindowEnabled(searchButton));
}

TEST_F(Search, ASecondRunClearsTheRowsBeforeItsFirstFetch) {
  RunSearch(L"1");
  ASSERT_EQ(RowCount(list), 2);

  std::vector<int> rowsAtFetch;
  std::vector<Text> statusAtFetch;
  site.duringFetch = [&] {
    rowsAtFetch.push_back(RowCount(list));
    statusAtFetch.push_back(StatusPartText(statusBar, 1));
  };
  RunSearch(L"3");
  EXPECT_EQ(rowsAtFetch, (std::vector<int>{0, 2, 2}));
  EXPECT_EQ(statusAtFetch[0], "");
  EXPECT_EQ(RowCount(list), 3);
  EXPECT_EQ(StatusPartText(statusBar, 1), "数据检索完成，共计3条信息");
}

TEST_F(Search, ReadsTheCategoryChosenInTheList) {
  SetFocus(categoryList);
  driver->Key(VK_DOWN);
  driver->Key(VK_DOWN);
  ASSERT_EQ(WindowText(categoryList), "综合电影");
  EXPECT_EQ(main->ReadCategoryIndex(), 2);
  RunSearch(L"2");
  EXPECT_EQ(site.asked, (std::vector<Text>{ListPage(2, 1), ListPage(2, 2)}));
  EXPECT_EQ(StatusPartText(statusBar, 1), "数据检索完成，共计0条信息");
}

TEST_F(Search, TakesOnePageForACountWithoutAUsableNumber) {
  const struct {
    const wchar_t* typed;   // through the keyboard
    const wchar_t* pasted;  // through the clipboard
    std::size_t pages;
  } cases[] = {
      {L"", nullptr, 1},     {L"0", nullptr, 1},    {L"-", nullptr, 1}, {L"-2", nullptr, 1},
      {nullptr, L"abc", 1},  {L"2", nullptr, 2},    {nullptr, L" 3x", 3},
      // Wraps around to -775520534 in 32 bits.
      {nullptr, L"987654321098765432109876543210", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(TextFromWide(c.typed ? c.typed : c.pasted));
    site.asked.clear();
    SetWindowTextW(pageCountBox, L"");
    SetFocus(pageCountBox);
    if (c.typed) driver->Type(c.typed);
    if (c.pasted) {
      PutOnClipboard(c.pasted);
      SendMessageW(pageCountBox, WM_PASTE, 0, 0);
    }
    driver->Click(WindowDriver::CentreOf(searchButton));
    EXPECT_EQ(site.asked.size(), c.pages);
  }
}

TEST_F(Search, APastedThirtyDigitCountWrapsAroundInThirtyTwoBits) {
  // Not run: this many pages is what the count says, well over a billion.
  PutOnClipboard(L"123456789012345678901234567890");
  SendMessageW(pageCountBox, WM_PASTE, 0, 0);
  EXPECT_EQ(main->ReadPageCountText(), "123456789012345678901234567890");
  EXPECT_EQ(ParsePageCount(main->ReadPageCountText()), 1312754386);
}

TEST_F(Search, AClickOnAHeadingKeepsTheRowsInTheirOrder) {
  RunSearch(L"3");
  const auto before = ListRows(list);
  ASSERT_EQ(before.size(), 3u);
  // Unsorted: B, A, Zebra in either column.
  for (int column : {0, 1, 0}) {
    driver->Click(WindowDriver::CentreOfHeaderItem(list, column));
    EXPECT_EQ(ListRows(list), before) << "after a click on heading " << column;
  }
  EXPECT_TRUE(driver->Saw(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), WM_LBUTTONDOWN));
}

TEST_F(Search, SelectingARowClearsTheSelectionOfTheRowBefore) {
  RunSearch(L"3");
  driver->Click(WindowDriver::CentreOfRow(list, 0));
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
  driver->Click(WindowDriver::CentreOfRow(list, 2));
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  // Ctrl does not add to the selection either.
  driver->ClickWith(VK_CONTROL, WindowDriver::CentreOfRow(list, 1));
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(GetFocus(), list);
  // Nothing opened: only a right click does that.
  EXPECT_TRUE(shell.requests.empty());
}

}  // namespace
