#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "CategoryCatalogue.h"
#include "PreparedPages.h"
#include "RecordingSearchView.h"
#include "SearchRun.h"

namespace {

const Text kSite = "http://listings.test";
Text Page(int category, int page) { return ListPageAddress(TemplateFor(kSite, category), page); }
Text Link(const Text& path) { return kSite + path; }

const Text kA = "/html/gndy/dyzz/20261201/10001.html";
const Text kB = "/html/gndy/dyzz/20261202/10002.html";
const Text kC = "/html/gndy/dyzz/20261203/10003.html";

TEST(SearchRun, CallsTheViewInTheOrderOfARun) {
  PreparedPages site;
  site.pages[Page(0, 1)] = Bytes(Anchor(kA, "A") + "\r\n" + Anchor(kB, "B"));
  // Page 2 has no entries; page 3 one, after a zero byte nothing more.
  site.pages[Page(0, 2)] = Bytes("<html>nothing</html>");
  ByteBuffer third = Bytes(Anchor(kC, "C"));
  third.push_back('\0');
  const Text hidden = Anchor(kA, "Hidden");
  third.insert(third.end(), hidden.begin(), hidden.end());
  site.pages[Page(0, 3)] = third;

  RecordingSearchView view;
  view.pageCountText = "3";
  SearchRun(view, site.Source(), kSite);

  const std::vector<std::string> expected = {
      "Disable",
      "ClearRows",
      "Status ",
      "ReadPageCountText",
      "ReadCategoryIndex",
      "Status " + ProgressText(1, 1),
      "AppendRow A " + Link(kA),
      "RepaintRows",
      "Status " + ProgressText(1, 2),
      "AppendRow B " + Link(kB),
      "RepaintRows",
      // page 2 leaves the status as it was; page 3 restarts the match number
      "Status " + ProgressText(3, 1),
      "AppendRow C " + Link(kC),
      "RepaintRows",
      "Status " + ClosingText(3),
      "Enable",
  };
  EXPECT_EQ(view.calls, expected);
  EXPECT_EQ(site.asked, (std::vector<Text>{Page(0, 1), Page(0, 2), Page(0, 3)}));
}

TEST(SearchRun, StatusTextsAreTheSystemsOwnWords) {
  EXPECT_EQ(ProgressText(2, 15), "数据检索中，请稍后...当前第2页，第15条");
  EXPECT_EQ(ClosingText(0), "数据检索完成，共计0条信息");
  // Three ASCII full stops and full-width commas of code page 936.
  EXPECT_EQ(ProgressText(1, 1).substr(10, 2), "\xA3\xAC");
  EXPECT_EQ(ProgressText(1, 1).substr(18, 3), "...");
}

TEST(SearchRun, FailedPageAddsNothingAndTheRunGoesOn) {
  PreparedPages site;
  site.pages[Page(3, 1)] = Bytes(Anchor(kA, "A"));
  site.pages[Page(3, 3)] = Bytes(Anchor(kB, "B") + Anchor(kC, "C"));
  RecordingSearchView view;
  view.categoryIndex = 3;
  view.pageCountText = "3";
  SearchRun(view, site.Source(), kSite);

  EXPECT_EQ(site.asked.size(), 3u);
  EXPECT_EQ(view.rows, 3);
  EXPECT_EQ(view.calls[view.calls.size() - 2], "Status " + ClosingText(3));
}

TEST(SearchRun, AddressesAndLinksBeginWithTheCallersSite) {
  // Two programs built for two sites share the one core.
  for (const Text other : {"http://127.0.0.1:8936", "https://films.test"}) {
    PreparedPages site;
    site.pages[ListPageAddress(TemplateFor(other, 3), 1)] = Bytes(Anchor(kA, "A"));
    RecordingSearchView view;
    view.categoryIndex = 3;
    SearchRun(view, site.Source(), other);
    EXPECT_EQ(site.asked, (std::vector<Text>{other + "/html/gndy/oumei/list_7_1.html"}));
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "AppendRow A " + other + kA), view.calls.end());
  }
}

TEST(SearchRun, NoCategoryFetchesNothingAndClosesWithZero) {
  PreparedPages site;
  RecordingSearchView view;
  view.categoryIndex = -1;
  view.pageCountText = "2";
  SearchRun(view, site.Source(), kSite);
  // The page source sees only empty addresses, which go nowhere.
  EXPECT_EQ(site.asked, (std::vector<Text>{"", ""}));
  EXPECT_EQ(view.rows, 0);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Disable", "ClearRows", "Status ", "ReadPageCountText",
                                                  "ReadCategoryIndex", "Status " + ClosingText(0), "Enable"}));
}

TEST(SearchRun, DuplicatesBecomeRowsAndTheTotalCountsRows) {
  PreparedPages site;
  site.pages[Page(0, 1)] = Bytes(Anchor(kA, "A") + " " + Anchor(kA, "A"));
  site.pages[Page(0, 2)] = Bytes(Anchor(kA, "A"));
  RecordingSearchView view;
  view.pageCountText = "2";
  view.rows = 42;  // rows of an earlier run
  SearchRun(view, site.Source(), kSite);
  EXPECT_EQ(view.rows, 3);
  EXPECT_EQ(view.calls.back(), "Enable");
  EXPECT_EQ(view.calls[view.calls.size() - 2], "Status " + ClosingText(3));
}

TEST(SearchRun, UnusablePageCountReadsOnePage) {
  for (const char* text : {"", "0", "-2", "abc"}) {
    PreparedPages site;
    RecordingSearchView view;
    view.pageCountText = text;
    SearchRun(view, site.Source(), kSite);
    EXPECT_EQ(site.asked, (std::vector<Text>{Page(0, 1)})) << text;
  }
}

TEST(ParsePageCount, ReadsLikeAtoiWithFullWidthForms) {
  const struct {
    Text text;
    std::int32_t pages;
  } cases[] = {
      {"", 1},
      {"5", 5},
      {" 12abc", 12},
      {"0", 1},
      {"-2", 1},
      {"abc", 1},
      {"-", 1},
      {"+7", 7},
      {"\t\n\v\f\r 9", 9},
      {"3 4", 3},
      {"+-3", 1},
      {"0012", 12},
      {"\xA3\xB0\xA3\xB3", 3},                // full-width 0 3
      {"\xA3\xAB\xA3\xB4", 4},                // full-width + 4
      {"\xA3\xAD\xA3\xB5", 1},                // full-width - 5
      {"\xA1\xA1\xA1\xA1" "8", 8},            // ideographic spaces lead
      {"\xA1\xA1\xA3\xB6\xA3\xB7", 67},       // mixed
      {"1\xB0\xA1" "2", 1},                   // another double-byte character ends the digits
      {"4294967298", 2},                      // 2^32 + 2 wraps to 2
      {"2147483648", 1},                      // 2^31 wraps negative
      {"2147483647", 2147483647},
      {"-4294967295", 1},                     // -(2^32 - 1) wraps to 1
      {"123456789012345678901234567890", 1312754386},  // wraps, stays positive
      {"3000000000", 1},                                // wraps negative
      {"7\xA3", 7},                           // lone lead byte at the end
      {"\xA3", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParsePageCount(c.text), c.pages) << c.text;
}

}  // namespace
