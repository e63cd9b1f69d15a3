// The window program's download of one address, for window_request_test.py:
//   window-request-probe.exe URL
// Prints the body's size; the scripted server records the request.
#include <cstdio>

#include "PageDownloader.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window-request-probe.exe URL\n");
    return 2;
  }
  std::printf("bytes %zu\n", DownloadPage(argv[1]).size());
  return 0;
}
