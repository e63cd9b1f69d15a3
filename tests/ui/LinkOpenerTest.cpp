// A right click on the result list opens the selected row's link, and nothing
// else does.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "OpenWindow.h"

namespace {

const Text kLinks[] = {"http://films.example/html/gndy/dyzz/20261201/1.html",
                       "http://films.example/html/gndy/dyzz/20261202/2.html",
                       "http://films.example/html/gndy/dyzz/20261203/3.html"};

class RightClick : public OpenWindow {
 protected:
  // Rows as a search run writes them, through the window's SearchView.
  void AppendThreeRows() {
    main->AppendRow("第一部", kLinks[0]);
    main->AppendRow("第二部", kLinks[1]);
    main->AppendRow("第三部", kLinks[2]);
    driver->Settle();
  }
  int Selection() const {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  POINT BelowTheLastRow() const {
    RECT rect;
    GetWindowRect(list, &rect);
    return {rect.left + 60, rect.bottom - 20};
  }
};

TEST_F(RightClick, OnTheSecondRowOpensThatRowsLink) {
  AppendThreeRows();
  driver->Click(WindowDriver::CentreOfRow(list, 0));  // row 0 selected before
  driver->Click(WindowDriver::CentreOfRow(list, 1), WindowDriver::Button::Right);
  EXPECT_EQ(Selection(), 1);
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].link, kLinks[1]);
  EXPECT_EQ(shell.requests[0].owner, nullptr);
}

TEST_F(RightClick, AfterARealSearchOpensTheLinkInColumnOne) {
  const Text path = "/html/gndy/dyzz/20261201/10001.html";
  site.pages[ListPage(0, 1)] = Bytes(Anchor(path, "2026年剧情《长河》") + Anchor(path, "Second"));
  RunSearch(L"1");
  ASSERT_EQ(RowCount(list), 2);
  driver->Click(WindowDriver::CentreOfRow(list, 1), WindowDriver::Button::Right);
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].link, kTestSite.siteBase + path);
}

TEST_F(RightClick, OpensNothingInAnEmptyListOrBelowTheLastRow) {
  driver->Click(WindowDriver::CentreOf(list), WindowDriver::Button::Right);
  EXPECT_TRUE(shell.requests.empty());
  EXPECT_TRUE(driver->Saw(list, WM_RBUTTONDOWN));

  AppendThreeRows();
  driver->Click(WindowDriver::CentreOfRow(list, 2));
  ASSERT_EQ(Selection(), 2);
  driver->Click(BelowTheLastRow(), WindowDriver::Button::Right);
  EXPECT_EQ(Selection(), -1);
  EXPECT_TRUE(shell.requests.empty());
}

TEST_F(RightClick, LeftAndDoubleClicksOpenNothing) {
  AppendThreeRows();
  driver->Click(WindowDriver::CentreOfRow(list, 1));
  driver->Click(WindowDriver::CentreOfRow(list, 1), WindowDriver::Button::Left, 2);
  EXPECT_TRUE(driver->Saw(list, WM_LBUTTONDBLCLK));
  driver->Key(VK_RETURN);
  EXPECT_EQ(Selection(), 1);
  EXPECT_TRUE(shell.requests.empty());
}

// Two clicks at one spot in quick succession are a double click, which the list
// reports as such and not as a second right click: these land 40 pixels apart.
POINT Beside(POINT point, int i) { return {point.x + (i % 2) * 40, point.y}; }

TEST_F(RightClick, TwiceOnOneRowMakesTwoRequests) {
  AppendThreeRows();
  const POINT row = WindowDriver::CentreOfRow(list, 2);
  driver->Click(Beside(row, 0), WindowDriver::Button::Right);
  driver->Click(Beside(row, 1), WindowDriver::Button::Right);
  ASSERT_EQ(shell.requests.size(), 2u);
  EXPECT_EQ(shell.requests[0].link, kLinks[2]);
  EXPECT_EQ(shell.requests[1].link, kLinks[2]);
}

TEST_F(RightClick, AWindowTitledMicrosoftInternetExplorerOwnsTheRequest) {
  HWND browser = CreateWindowExA(0, "STATIC", "Microsoft Internet Explorer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
  AppendThreeRows();
  driver->Click(WindowDriver::CentreOfRow(list, 0), WindowDriver::Button::Right);
  DestroyWindow(browser);
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].owner, browser);
  EXPECT_EQ(shell.requests[0].link, kLinks[0]);
}

TEST_F(RightClick, HandsTheShellTheWholeLinkWhateverItsLength) {
  // Around the first read's room of 512 bytes and its doublings.
  const std::size_t lengths[] = {0, 1, 254, 255, 256, 257, 511, 512, 513, 1023, 1024, 1500, 5000};
  int i = 0;
  for (std::size_t length : lengths) {
    SCOPED_TRACE(length);
    Text link = "http://films.example/";
    link.resize(std::max(length, link.size()), 'a');
    if (length == 0) link.clear();
    main->ClearRows();
    main->AppendRow("title", link);
    driver->Click(Beside(WindowDriver::CentreOfRow(list, 0), i++), WindowDriver::Button::Right);
    ASSERT_FALSE(shell.requests.empty());
    EXPECT_EQ(shell.requests.back().link.size(), link.size());
    EXPECT_EQ(shell.requests.back().link, link);
  }
  EXPECT_EQ(shell.requests.size(), std::size(lengths));
}

TEST_F(RightClick, HandsTheShellTheLinksCodePage936Bytes) {
  // Whatever the system's ANSI code page: the conversion names 936 itself.
  const Text link = "http://films.example/电影/长河\xA1\xA1归途.html";
  main->AppendRow("长河", link);
  driver->Click(WindowDriver::CentreOfRow(list, 0), WindowDriver::Button::Right);
  ASSERT_EQ(shell.requests.size(), 1u);
  EXPECT_EQ(shell.requests[0].link, link);
}

}  // namespace
