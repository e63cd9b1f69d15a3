// Times a search run without the window: the same downloads and extraction
// as the program, against a view that keeps nothing. Beside the program's own
// run time (window-inspector time-run) it tells how much of a search the
// window takes.
//
//   search-timing.exe PAGES [REPEATS]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "PageDownloader.h"
#include "SearchRun.h"

namespace {

class CountingView : public SearchView {
 public:
  std::int32_t ReadCategoryIndex() override { return 0; }
  Text ReadPageCountText() override { return pages_; }
  void SetSearchEnabled(bool) override {}
  void ClearRows() override { rows_ = 0; }
  void AppendRow(const Text&, const Text&) override { ++rows_; }
  void RepaintRows() override {}
  void SetStatusText(const Text&) override {}

  explicit CountingView(Text pages) : pages_(std::move(pages)) {}
  long Rows() const { return rows_; }

 private:
  Text pages_;
  long rows_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: search-timing.exe PAGES [REPEATS]\n");
    return 2;
  }
  int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < repeats; ++i) {
    CountingView view(argv[1]);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SearchRun(view, DownloadPage, LISTING_SITE_BASE);
    QueryPerformanceCounter(&end);
    std::printf("run-ms %.1f rows %ld\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
                view.Rows());
  }
  return 0;
}
