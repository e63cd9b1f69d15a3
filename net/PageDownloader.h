#pragma once
// One HTTP GET of a list page over WinINet, synchronous, silent on failure.

#include "Text.h"

#include <cstddef>

// The most of one body that is kept: about a thousand list pages. A server
// that streams without end would otherwise hold the window until memory ran
// out; what arrived up to here is the result.
inline constexpr std::size_t kLargestBodySize = 64u * 1024u * 1024u;

// The response body, whatever the status; the empty buffer when nothing could
// be fetched, the bytes received when the transfer broke off or reached
// kLargestBodySize.
ByteBuffer DownloadPage(const Text& url);
