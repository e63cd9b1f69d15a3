#pragma once
// List pages over libcurl, making the request the window program makes: GET,
// HTTP/1.0, its User-Agent, "Accept: */*", Host and nothing else; no cache,
// no proxy, a new connection per page, redirects followed, any status's body
// kept. Up to `jobs` pages are in flight at once and handed out in page order.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "Text.h"

struct FetchedPage {
  // What the window's downloader would hand the search: the body of the last
  // answer whatever its status, as much of it as came; empty when none came.
  ByteBuffer body;
  long status = 0;      // of the last answer; 0 when none came
  std::string failure;  // why the page counts as failed; empty when it does not
};

class PageFetcher {
 public:
  using AddressOf = std::function<Text(std::int32_t page)>;

  // Pages 1 to lastPage, page p at addressOf(p).
  PageFetcher(int jobs, std::int32_t lastPage, AddressOf addressOf);
  ~PageFetcher();
  PageFetcher(const PageFetcher&) = delete;
  PageFetcher& operator=(const PageFetcher&) = delete;

  // False when libcurl could not be set up; nothing can be fetched then.
  bool Usable() const;

  // The page, waiting for it; pages are taken in order, each once. Starts the
  // pages after it up to `jobs` in flight.
  FetchedPage Take(std::int32_t page);

 private:
  struct Transfer;
  void StartUpTo(std::int32_t page);
  void Start(std::int32_t page);
  void WaitFor(Transfer& transfer);

  int jobs_;
  std::int32_t lastPage_;
  AddressOf addressOf_;
  void* multi_ = nullptr;  // CURLM*, kept out of this header
  std::int64_t nextToStart_ = 1;  // 64 bits: it may step past 2^31 - 1
  std::map<std::int32_t, std::unique_ptr<Transfer>> transfers_;
};

// The User-Agent every request of this project's programs carries.
extern const char kListingUserAgent[];
