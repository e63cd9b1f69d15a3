#pragma once
// Finds the film entries of one list page: every anchor that the listing site
// writes for an entry, with the entry's path and title as byte spans.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "Text.h"

// The anchor of one entry: group 1 the site-relative path, group 2 the title.
inline constexpr char ListingPattern[] =
    R"re(<a href="(/html/gndy/\w{4,5}/\d{6,8}/\d{3,5}\.html)" class="ulink">(\S+)</a>)re";

struct ListingSpan {
  std::int32_t offset = 0;  // bytes from the start of the page text
  std::int32_t length = 0;
  bool matched = false;
};

// Positions only: its texts are read back from the page text that was searched.
struct ListingMatch {
  std::array<ListingSpan, 3> spans;  // 0 whole match, 1 path, 2 title
};

using MatchList = std::vector<ListingMatch>;

class ListingExtractor {
 public:
  ListingExtractor();
  ~ListingExtractor();
  ListingExtractor(const ListingExtractor&) = delete;
  ListingExtractor& operator=(const ListingExtractor&) = delete;

  // Compiles the pattern (up to its first NUL) with Perl syntax and letter
  // case ignored. On failure keeps whatever it held before and returns false.
  bool Compile(const Text& pattern);

  // Every match in the page text up to its first NUL, in page order; after an
  // empty match the next search starts one byte further. When the matching
  // engine gives up part-way, the matches found before that point.
  MatchList FindAll(const Text& pageText) const;

  // A copy of one span (0, 1 or 2) of a match out of the page text FindAll
  // searched; the empty text for a span that did not take part or is empty.
  static Text GroupText(const ListingMatch& match, const Text& pageText, int index);

 private:
  struct Compiled;
  std::unique_ptr<Compiled> compiled_;
};
