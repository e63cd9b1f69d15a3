#pragma once
// One run of film-listings-cli after its command line was read.

#include <cstdio>

#include "CliOptions.h"
#include "Progress.h"

// Exit statuses of the program.
inline constexpr int kExitFetched = 0;
inline constexpr int kExitOtherError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitPageFailed = 3;

// Searches the pages the options ask for through the core's own search run,
// rows to out, failures and progress to err. Returns the exit status.
int RunCliSearch(const CliOptions& options, std::FILE* out, std::FILE* err, Progress::Mode mode);
