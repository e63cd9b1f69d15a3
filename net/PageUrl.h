#pragma once
// A page address taken apart the way WinINet needs it for one request.

#include <windows.h>
#include <wininet.h>

#include <optional>

#include "Text.h"

struct PageUrl {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  Text host;
  INTERNET_PORT port = 0;
  Text userName;  // empty when the address names none
  Text password;
  Text path;  // from the first "/" after the host, query and fragment included
};

// The address in canonical form ("." and ".." resolved, nothing encoded or
// decoded), then split. Nothing when it cannot be split: no recognisable
// scheme, or a part longer than its buffer.
std::optional<PageUrl> SplitPageUrl(const Text& url);

// What the request line carries: the path cut before its first "#".
Text RequestObject(const Text& path);
