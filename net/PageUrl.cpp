#include "PageUrl.h"

#include <array>

namespace {

// Room for the longest address WinINet handles, terminating NUL included.
constexpr DWORD kCanonicalUrlBufferSize = 2084;

std::optional<Text> CanonicalUrl(const Text& url) {
  Text canonical(kCanonicalUrlBufferSize, '\0');
  DWORD size = kCanonicalUrlBufferSize;
  if (!InternetCanonicalizeUrlA(url.c_str(), canonical.data(), &size, ICU_NO_ENCODE)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    // size now holds what the canonical form asks for.
    canonical.assign(size + 1, '\0');
    size += 1;
    if (!InternetCanonicalizeUrlA(url.c_str(), canonical.data(), &size, ICU_NO_ENCODE)) {
      return std::nullopt;
    }
  }
  canonical.resize(size);
  return canonical;
}

}  // namespace

std::optional<PageUrl> SplitPageUrl(const Text& url) {
  const std::optional<Text> canonical = CanonicalUrl(url);
  if (!canonical) return std::nullopt;

  // Component buffers, terminating NUL included. Scheme text and extra
  // information are not asked for, so query and fragment stay in the path.
  std::array<char, 256> host{};
  std::array<char, 2048> path{};
  std::array<char, 128> userName{};
  std::array<char, 128> password{};
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host.data();
  parts.dwHostNameLength = host.size();
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = path.size();
  parts.lpszUserName = userName.data();
  parts.dwUserNameLength = userName.size();
  parts.lpszPassword = password.data();
  parts.dwPasswordLength = password.size();
  if (!InternetCrackUrlA(canonical->c_str(), 0, 0, &parts)) return std::nullopt;

  PageUrl split;
  split.scheme = parts.nScheme;
  split.host.assign(host.data(), parts.dwHostNameLength);
  split.port = parts.nPort;
  split.userName.assign(userName.data(), parts.dwUserNameLength);
  split.password.assign(password.data(), parts.dwPasswordLength);
  split.path.assign(path.data(), parts.dwUrlPathLength);
  return split;
}

Text RequestObject(const Text& path) { return path.substr(0, path.find('#')); }
