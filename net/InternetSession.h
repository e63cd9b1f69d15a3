#pragma once
// The one Internet handle of the process: opened by the first download whose
// address can be split, kept until the process ends. An open that failed
// leaves it null and the next download tries again.

#include <windows.h>
#include <wininet.h>

// The shared handle, opened now if it is not yet; null when it cannot be.
HINTERNET SharedInternetHandle();

// Whether the shared handle has been opened. Tests use it to see that an
// address that is never fetched opens nothing.
bool InternetHandleIsOpen();
