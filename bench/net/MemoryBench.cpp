// Memory while one large body comes in:  net_memory_bench WARM_URL URL
// Prints the body size and the peak working set and peak commit (pagefile
// usage) before and after the download.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "PageDownloader.h"

namespace {

PROCESS_MEMORY_COUNTERS Counters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

double Mb(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: net_memory_bench WARM_URL URL\n");
    return 2;
  }
  // A small page first, so that WinINet and its libraries are in the baseline.
  DownloadPage(argv[1]);
  const PROCESS_MEMORY_COUNTERS before = Counters();
  const ByteBuffer body = DownloadPage(argv[2]);
  const PROCESS_MEMORY_COUNTERS after = Counters();

  std::printf("body-mb %.2f peak-working-set-mb %.2f -> %.2f (+%.2f) peak-commit-mb %.2f -> %.2f (+%.2f)\n",
              Mb(body.size()), Mb(before.PeakWorkingSetSize), Mb(after.PeakWorkingSetSize),
              Mb(after.PeakWorkingSetSize - before.PeakWorkingSetSize), Mb(before.PeakPagefileUsage),
              Mb(after.PeakPagefileUsage), Mb(after.PeakPagefileUsage - before.PeakPagefileUsage));
  return body.empty() ? 1 : 0;
}
