// The Windows entry point. The command line is not read. Each program target
// compiles this file with the one site it is built for (LISTING_SITE_BASE and
// LISTING_CAPTION_HOST); nothing else in the program knows the site.

#include <windows.h>

#include "PageDownloader.h"
#include "ProgramEntry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return RunFilmListings(instance, {LISTING_SITE_BASE, LISTING_CAPTION_HOST}, DownloadPage);
}
