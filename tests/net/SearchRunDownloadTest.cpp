// The search run with the real downloader, against list pages on loopback.
// The run searches a made-up site; the page source moves its prefix onto the
// loopback server, so rows still link to the made-up site.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CategoryCatalogue.h"
#include "LoopbackSites.h"
#include "PageDownloader.h"
#include "RecordingSearchView.h"
#include "SearchRun.h"

namespace {

struct Row {
  Text title;
  Text path;
};

const Text kSite = "http://listings.test";

PageSource OnLoopback(const Text& base) {
  return [base](const Text& address) {
    const std::size_t prefix = kSite.size();
    const bool onSite = address.compare(0, prefix, kSite) == 0;
    return DownloadPage(onSite ? base + address.substr(prefix) : address);
  };
}

// The rows listing_pages.py wrote for a page: title, tab, path per line.
std::vector<Row> ExpectedRows(int page) {
  const std::string text = ReadWholeFile(RowsDir() + "/page-" + std::to_string(page) + ".rows");
  std::vector<Row> rows;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t tab = text.find('\t', at);
    const std::size_t end = text.find('\n', tab);
    rows.push_back({text.substr(at, tab - at), text.substr(tab + 1, end - tab - 1)});
    at = end + 1;
  }
  return rows;
}

// What the view is told by a run over three pages whose rows are given.
std::vector<std::string> ExpectedCalls(const std::vector<std::vector<Row>>& pages) {
  std::vector<std::string> calls = {"Disable", "ClearRows", "Status ", "ReadPageCountText", "ReadCategoryIndex"};
  int total = 0;
  for (std::size_t page = 0; page < pages.size(); ++page) {
    int match = 0;
    for (const Row& row : pages[page]) {
      calls.push_back("Status " + ProgressText(static_cast<int>(page) + 1, ++match));
      calls.push_back("AppendRow " + row.title + " " + kSite + row.path);
      calls.push_back("RepaintRows");
      ++total;
    }
  }
  calls.push_back("Status " + ClosingText(total));
  calls.push_back("Enable");
  return calls;
}

TEST(SearchRunDownload, ThreeListPagesFromNginx) {
  const std::vector<std::vector<Row>> pages = {ExpectedRows(1), ExpectedRows(2), ExpectedRows(3)};
  ASSERT_EQ(pages[0].size(), 25u);

  RecordingSearchView view;
  view.categoryIndex = 0;
  view.pageCountText = "3";
  SearchRun(view, OnLoopback(NginxBase()), kSite);
  EXPECT_EQ(view.calls, ExpectedCalls(pages));
  EXPECT_EQ(view.rows, 75);
}

TEST(SearchRunDownload, FailedPageAddsNoRowsAndTheRunGoesOn) {
  // The scripted copy of the site answers page 2 with a 404 and no body.
  const std::vector<std::vector<Row>> pages = {ExpectedRows(1), {}, ExpectedRows(3)};
  const ScriptedTraffic traffic;

  RecordingSearchView view;
  view.categoryIndex = 0;
  view.pageCountText = "3";
  SearchRun(view, OnLoopback(ScriptedBase() + "/static"), kSite);
  EXPECT_EQ(view.calls, ExpectedCalls(pages));

  const auto requests = traffic.NewRequests();
  ASSERT_EQ(requests.size(), 3u);
  for (int page = 1; page <= 3; ++page) {
    EXPECT_EQ(requests[page - 1].requestLine,
              "GET /static/html/gndy/dyzz/list_23_" + std::to_string(page) + ".html HTTP/1.0");
  }
}

TEST(SearchRunDownload, UnexpectedBodiesAreSearchedUpToTheirFirstZeroByte) {
  // Page 1: binary bytes, an entry, a zero byte, an entry after it.
  // Page 2: 200000 bytes without a zero byte, an entry at the very end.
  // Page 3: nothing but zero bytes.
  const std::vector<std::vector<Row>> pages = {
      {{"BinaryFirst", "/html/gndy/dyzz/20260101/101.html"}},
      {{"NoZero", "/html/gndy/dyzz/20260102/103.html"}},
      {},
  };
  RecordingSearchView view;
  view.categoryIndex = 0;
  view.pageCountText = "3";
  SearchRun(view, OnLoopback(ScriptedBase() + "/odd"), kSite);
  EXPECT_EQ(view.calls, ExpectedCalls(pages));
}

}  // namespace
