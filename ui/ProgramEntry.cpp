#include "ProgramEntry.h"

#include <utility>

#include "MainWindow.h"
#include "WindowKeys.h"

int RunFilmListings(HINSTANCE instance, ProgramSite site, PageSource pageSource, ShellOpen shellOpen) {
  // A search holds the thread and takes no messages until it ends; without
  // this, Windows swaps the window for a "Not Responding" ghost after about
  // five seconds and the rows the run repaints stop showing.
  DisableProcessWindowsGhosting();
  MainWindow window(std::move(site), std::move(pageSource), std::move(shellOpen));
  // Nothing to tell the user through: the program has no window to show it in
  // and reports no errors otherwise.
  if (!window.Create(instance)) return kWindowNotCreatedExitCode;
  window.ShowCentred();
  return RunMessageLoop(window.Handle());
}
