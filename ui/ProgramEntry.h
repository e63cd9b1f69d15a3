#pragma once
// Start-up to shut-down of the program, apart from the Windows entry point so
// that tests can run it with prepared pages.

#include <windows.h>

#include "LinkOpener.h"
#include "ProgramSite.h"
#include "SearchRun.h"

// Exit code when the window could not be created.
inline constexpr int kWindowNotCreatedExitCode = 1;

// Creates the window with its controls and caption, shows it centred and runs
// the message loop until the window is closed. Returns the loop's exit code
// (0 after an ordinary close), or kWindowNotCreatedExitCode at once, without a
// message loop, when the window cannot be created.
int RunFilmListings(HINSTANCE instance, ProgramSite site, PageSource pageSource,
                    ShellOpen shellOpen = ShellExecuteOpen);
