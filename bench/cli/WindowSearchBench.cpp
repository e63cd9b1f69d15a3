// The window program's search without its window, against any site, timed
// inside the process so that Wine's start-up is not counted:
//   cli_window_search_bench.exe SITE PAGES
#include <windows.h>

#include <cstdio>

#include "PageDownloader.h"
#include "SearchRun.h"

namespace {

class CountingView : public SearchView {
 public:
  explicit CountingView(Text pages) : pages_(std::move(pages)) {}
  std::int32_t ReadCategoryIndex() override { return 0; }
  Text ReadPageCountText() override { return pages_; }
  void SetSearchEnabled(bool) override {}
  void ClearRows() override { rows_ = 0; }
  void AppendRow(const Text&, const Text&) override { ++rows_; }
  void RepaintRows() override {}
  void SetStatusText(const Text&) override {}
  long Rows() const { return rows_; }

 private:
  Text pages_;
  long rows_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cli_window_search_bench.exe SITE PAGES\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  CountingView view(argv[2]);
  QueryPerformanceCounter(&start);
  SearchRun(view, DownloadPage, argv[1]);
  QueryPerformanceCounter(&end);
  std::printf("run-ms %.1f rows %ld\n",
              1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
              view.Rows());
  return 0;
}
