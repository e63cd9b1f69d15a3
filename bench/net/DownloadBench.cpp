// Sequential downloads of one page, timed inside the process so that Wine's
// start-up is not counted:  net_download_bench URL COUNT EXPECTED_SIZE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "PageDownloader.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: net_download_bench URL COUNT EXPECTED_SIZE\n");
    return 2;
  }
  const Text url = argv[1];
  const int count = std::atoi(argv[2]);
  const std::size_t expected = std::strtoull(argv[3], nullptr, 10);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int wrong = 0;
  for (int i = 0; i < count; ++i) wrong += DownloadPage(url).size() != expected;
  QueryPerformanceCounter(&end);

  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("downloads %d seconds %.4f wrong-size %d\n", count, seconds, wrong);
  return wrong == 0 ? 0 : 1;
}
