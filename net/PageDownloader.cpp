#include "PageDownloader.h"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "ContentLength.h"
#include "InternetHandle.h"
#include "InternetSession.h"
#include "PageUrl.h"
#include "ReceivedBytes.h"

namespace {

// Always fresh from the server, never written to the local cache.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
constexpr char kAcceptHeader[] = "Accept: */*\r\n\r\n";

// Defer to the system's preconfigured proxy; what the calls answer changes
// nothing about the download.
// The proxy information is 24 bytes in this 64-bit program (12 in a 32-bit one).
void SetProxyOptions(HINTERNET internet, HINTERNET connection) {
  INTERNET_PROXY_INFO proxy{};
  proxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
  InternetSetOptionA(internet, INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
  char empty[] = "";
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, empty, sizeof empty);
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, empty, sizeof empty);
}

std::optional<Text> QueryContentLength(HINTERNET request) {
  char text[kContentLengthBufferSize] = {};
  DWORD size = sizeof text;
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) {
    return std::nullopt;
  }
  return Text(text, std::min<DWORD>(size, sizeof text - 1));
}

// Reads to the end of the data whatever the header declared. A failed read
// ends the body; so do running out of memory for it and reaching the largest
// body, keeping what was stored.
ByteBuffer ReadBody(HINTERNET request, const std::optional<Text>& contentLength) {
  const std::size_t chunkSize = ChunkSizeFor(contentLength);
  std::vector<char> chunk;
  try {
    chunk.resize(chunkSize);
  } catch (const std::bad_alloc&) {
    return {};
  }
  ReceivedBytes received;
  for (;;) {
    DWORD delivered = 0;
    if (!InternetReadFile(request, chunk.data(), static_cast<DWORD>(chunkSize), &delivered)) break;
    if (delivered == 0) break;
    const std::size_t kept = std::min<std::size_t>(delivered, kLargestBodySize - received.size());
    if (!received.Append(chunk.data(), kept)) break;
    if (received.size() == kLargestBodySize) break;
  }
  return received.TakeBody();
}

ByteBuffer Download(const Text& url) {
  const std::optional<PageUrl> page = SplitPageUrl(url);
  if (!page) return {};
  // Another scheme would connect with its own service (an FTP login, say)
  // only to fail at the request; it is turned away before any traffic.
  const bool secure = page->scheme == INTERNET_SCHEME_HTTPS;
  if (page->scheme != INTERNET_SCHEME_HTTP && !secure) return {};
  const DWORD flags = kRequestFlags | (secure ? INTERNET_FLAG_SECURE : 0);

  HINTERNET internet = SharedInternetHandle();
  if (internet == nullptr) return {};

  const InternetHandle connection(InternetConnectA(internet, page->host.c_str(), page->port,
                                                   page->userName.c_str(), page->password.c_str(),
                                                   INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  SetProxyOptions(internet, connection.get());

  const Text object = RequestObject(page->path);
  const char* acceptTypes[] = {"*/*", nullptr};
  // Declared after the connection, so it is closed first.
  const InternetHandle request(HttpOpenRequestA(connection.get(), "GET", object.c_str(), "HTTP/1.0",
                                                nullptr, acceptTypes, flags, 0));
  if (!request) return {};
  if (!HttpSendRequestA(request.get(), kAcceptHeader, sizeof kAcceptHeader - 1, nullptr, 0)) {
    return {};
  }
  return ReadBody(request.get(), QueryContentLength(request.get()));
}

}  // namespace

ByteBuffer DownloadPage(const Text& url) {
  // The text ends at its first NUL, as the address the caller meant.
  if (url.c_str()[0] == '\0') return {};
  try {
    return Download(url);
  } catch (const std::exception&) {
    // Only allocation can throw here, for the working copies of the address.
    return {};
  }
}
