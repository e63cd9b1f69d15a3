// The Windows entry point. The command line is not read.

#include <windows.h>

#include "PageDownloader.h"
#include "ProgramEntry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunFilmListings(instance, DownloadPage);
}
