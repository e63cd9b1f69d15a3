// A whole search run over prepared pages into a view that discards
// everything: pages per second, and the process's peak memory, so that a long
// run can be set beside a short one (run it once per page count).
//   search_run_bench PAGES
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "SearchRun.h"

namespace {

class DiscardingView : public SearchView {
 public:
  std::int32_t pages = 1;
  std::int64_t rows = 0;
  std::int32_t ReadCategoryIndex() override { return 0; }
  Text ReadPageCountText() override { return DecimalText(pages); }
  void SetSearchEnabled(bool) override {}
  void ClearRows() override {}
  void AppendRow(const Text&, const Text&) override { ++rows; }
  void RepaintRows() override {}
  void SetStatusText(const Text&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  DiscardingView view;
  view.pages = argc > 1 ? std::atoi(argv[1]) : 1000;

  std::ifstream in(LISTING_FIXTURE_DIR "/western-page-7.html", std::ios::binary);
  const ByteBuffer page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // Every page a fresh buffer, as a download would give.
  const PageSource source = [&page](const Text&) { return page; };

  const auto start = std::chrono::steady_clock::now();
  SearchRun(view, source, "http://listings.test");
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("pages=%d rows=%lld seconds=%.3f pages_per_second=%.0f peak_rss_kib=%ld\n", view.pages,
              static_cast<long long>(view.rows), took.count(), view.pages / took.count(), usage.ru_maxrss);
  return view.rows == static_cast<std::int64_t>(view.pages) * 25 ? 0 : 1;
}
