#include "InternetSession.h"

#include "InternetHandle.h"

namespace {

// What the site has always seen from this tool.
constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

InternetHandle& Shared() {
  static InternetHandle handle;
  return handle;
}

}  // namespace

HINTERNET SharedInternetHandle() {
  InternetHandle& shared = Shared();
  if (!shared) {
    shared = InternetHandle(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  }
  return shared.get();
}

bool InternetHandleIsOpen() { return static_cast<bool>(Shared()); }
