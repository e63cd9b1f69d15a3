// Compile with any pattern, then FindAll on a small page: no crash, no hang
// (libFuzzer's -timeout), and a match list that fits the page it came from.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ListingExtractor.h"

namespace {

[[noreturn]] void Fail(const char* what, std::size_t match) {
  std::fprintf(stderr, "pattern_fuzz: match %zu: %s\n", match, what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string pattern = in.ConsumeRandomLengthString(64);
  const std::string page = in.ConsumeRandomLengthString(256);

  ListingExtractor extractor;
  if (!extractor.Compile(pattern)) return 0;
  const MatchList matches = extractor.FindAll(page);

  const auto searched = static_cast<std::int32_t>(std::strlen(page.c_str()));
  if (matches.size() > static_cast<std::size_t>(searched) + 1) Fail("more matches than positions", matches.size());
  std::int32_t previousEnd = 0;
  for (std::size_t m = 0; m < matches.size(); ++m) {
    const ListingSpan& whole = matches[m].spans[0];
    if (!whole.matched) Fail("the whole match did not take part", m);
    if (whole.offset < previousEnd) Fail("overlaps the match before it", m);
    for (const ListingSpan& span : matches[m].spans) {
      if (!span.matched) continue;
      if (span.offset < 0 || span.length < 0 || span.offset + span.length > searched) Fail("span outside the page", m);
    }
    previousEnd = whole.offset + whole.length;
    for (int i = 0; i < 3; ++i) ListingExtractor::GroupText(matches[m], page, i);
  }
  return 0;
}
