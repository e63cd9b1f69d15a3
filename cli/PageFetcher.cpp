#include "PageFetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <new>

const char kListingUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

namespace {

// A connection that gets nowhere, or an answer that stops coming, ends the
// page rather than the run; a slow but moving transfer is never cut off.
constexpr long kConnectTimeoutSeconds = 30;
constexpr long kStallSeconds = 30;
constexpr long kMaxRedirects = 30;

CURLM* Multi(void* multi) { return static_cast<CURLM*>(multi); }

}  // namespace

struct PageFetcher::Transfer {
  std::int32_t page = 0;
  Text address;
  CURL* easy = nullptr;
  ByteBuffer body;
  bool outOfMemory = false;
  bool done = false;
  CURLcode result = CURLE_OK;
  char errorText[CURL_ERROR_SIZE] = {};

  ~Transfer() {
    if (easy != nullptr) curl_easy_cleanup(easy);
  }

  static size_t Receive(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<Transfer*>(self);
    const size_t bytes = size * count;
    try {
      transfer->body.insert(transfer->body.end(), data, data + bytes);
    } catch (const std::bad_alloc&) {
      // As the window's downloader does: the page ends with what was stored.
      transfer->outOfMemory = true;
      return 0;
    }
    return bytes;
  }
};

PageFetcher::PageFetcher(int jobs, std::int32_t lastPage, AddressOf addressOf)
    : jobs_(jobs), lastPage_(lastPage), addressOf_(std::move(addressOf)) {
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return;
  multi_ = curl_multi_init();
}

PageFetcher::~PageFetcher() {
  for (auto& entry : transfers_) {
    if (entry.second->easy != nullptr) curl_multi_remove_handle(Multi(multi_), entry.second->easy);
  }
  transfers_.clear();
  if (multi_ != nullptr) curl_multi_cleanup(Multi(multi_));
  curl_global_cleanup();
}

bool PageFetcher::Usable() const { return multi_ != nullptr; }

void PageFetcher::Start(std::int32_t page) {
  auto transfer = std::make_unique<Transfer>();
  transfer->page = page;
  transfer->address = addressOf_(page);
  CURL* easy = curl_easy_init();
  transfer->easy = easy;
  if (easy == nullptr) {
    transfer->done = true;
    transfer->result = CURLE_FAILED_INIT;
    transfers_[page] = std::move(transfer);
    return;
  }
  curl_easy_setopt(easy, CURLOPT_URL, transfer->address.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(easy, CURLOPT_USERAGENT, kListingUserAgent);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  // The window's downloader opens its session without a proxy; so does this,
  // whatever http_proxy and friends say.
  curl_easy_setopt(easy, CURLOPT_PROXY, "");
  curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->errorText);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::Receive);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
  if (curl_multi_add_handle(Multi(multi_), easy) != CURLM_OK) {
    transfer->done = true;
    transfer->result = CURLE_FAILED_INIT;
  }
  transfers_[page] = std::move(transfer);
}

void PageFetcher::StartUpTo(std::int32_t page) {
  const std::int64_t last = std::min<std::int64_t>(lastPage_, std::int64_t{page} + jobs_ - 1);
  while (nextToStart_ <= last) {
    Start(static_cast<std::int32_t>(nextToStart_));
    ++nextToStart_;
  }
}

void PageFetcher::WaitFor(Transfer& wanted) {
  while (!wanted.done) {
    int running = 0;
    if (curl_multi_perform(Multi(multi_), &running) != CURLM_OK) break;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(Multi(multi_), &queued)) {
      if (message->msg != CURLMSG_DONE) continue;
      for (auto& entry : transfers_) {
        if (entry.second->easy == message->easy_handle) {
          entry.second->done = true;
          entry.second->result = message->data.result;
        }
      }
    }
    if (wanted.done) break;
    curl_multi_poll(Multi(multi_), nullptr, 0, 1000, nullptr);
  }
  if (!wanted.done) {
    wanted.done = true;
    wanted.result = CURLE_FAILED_INIT;
  }
}

FetchedPage PageFetcher::Take(std::int32_t page) {
  FetchedPage fetched;
  if (!Usable()) {
    fetched.failure = "libcurl could not be set up";
    return fetched;
  }
  StartUpTo(page);
  auto found = transfers_.find(page);
  if (found == transfers_.end()) {
    fetched.failure = "not a page of this run";
    return fetched;
  }
  Transfer& transfer = *found->second;
  WaitFor(transfer);

  if (transfer.easy != nullptr) {
    curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &fetched.status);
    curl_multi_remove_handle(Multi(multi_), transfer.easy);
  }
  fetched.body = std::move(transfer.body);
  if (transfer.outOfMemory) {
    fetched.failure = "out of memory for its body after " + std::to_string(fetched.body.size()) + " bytes";
  } else if (transfer.result != CURLE_OK) {
    fetched.failure = transfer.errorText[0] != '\0' ? transfer.errorText : curl_easy_strerror(transfer.result);
    if (transfer.result == CURLE_OPERATION_TIMEDOUT) fetched.failure = "timed out: " + fetched.failure;
  } else if (fetched.status >= 400) {
    fetched.failure = "status " + std::to_string(fetched.status);
  }
  transfers_.erase(found);
  return fetched;
}
