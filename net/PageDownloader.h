#pragma once
// One HTTP GET of a list page over WinINet, synchronous, silent on failure.

#include "Text.h"

// The response body, whatever the status; the empty buffer when nothing could
// be fetched, the bytes received when the transfer broke off.
ByteBuffer DownloadPage(const Text& url);
