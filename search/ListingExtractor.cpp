#include "ListingExtractor.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "ByteClassTraits.h"

struct ListingExtractor::Compiled {
  boost::basic_regex<char, ByteClassTraits> expression;
};

namespace {

// The text a C string would see: everything before the first zero byte.
std::string_view UpToFirstNul(const Text& text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  const std::size_t size = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()) : text.size();
  return std::string_view(text.data(), size);
}

ListingSpan SpanOf(const boost::sub_match<const char*>& group, const char* pageStart) {
  ListingSpan span;
  span.matched = group.matched;
  if (group.matched) {
    span.offset = static_cast<std::int32_t>(group.first - pageStart);
    span.length = static_cast<std::int32_t>(group.second - group.first);
  }
  return span;
}

}  // namespace

ListingExtractor::ListingExtractor() = default;
ListingExtractor::~ListingExtractor() = default;

bool ListingExtractor::Compile(const Text& pattern) {
  const std::string_view source = UpToFirstNul(pattern);
  try {
    auto compiled = std::make_unique<Compiled>();
    compiled->expression.assign(source.data(), source.data() + source.size(),
                                boost::regex_constants::perl | boost::regex_constants::icase);
    compiled_ = std::move(compiled);
    return true;
  } catch (...) {
    // A bad pattern or no memory: keep the form held before.
    return false;
  }
}

MatchList ListingExtractor::FindAll(const Text& pageText) const {
  MatchList matches;
  std::string_view page = UpToFirstNul(pageText);
  // Spans count in signed 32 bits; a page beyond that is searched as far as
  // they can reach rather than reported with wrapped offsets.
  page = page.substr(0, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
  if (page.empty() || !compiled_) return matches;

  const char* const start = page.data();
  const char* const end = start + page.size();
  const char* from = start;
  boost::match_results<const char*> found;
  try {
    // Each search begins at the end of the last match as if it were the start
    // of the text, so matches never overlap. An empty match (a pattern such as
    // "a*") would begin the next search where it stands, forever: the search
    // after it starts one byte further, as Perl and PCRE2 step past it.
    while (from < end && boost::regex_search(from, end, found, compiled_->expression)) {
      ListingMatch match;
      for (std::size_t i = 0; i < match.spans.size(); ++i) match.spans[i] = SpanOf(found[static_cast<int>(i)], start);
      matches.push_back(match);
      from = found[0].second;
      if (found[0].first == found[0].second) {
        if (from == end) break;
        ++from;
      }
    }
  } catch (...) {
    // The engine gave up (its work or memory limits): keep what was found.
  }
  return matches;
}

Text ListingExtractor::GroupText(const ListingMatch& match, const Text& pageText, int index) {
  if (index < 0 || index >= static_cast<int>(match.spans.size())) return Text();
  const ListingSpan& span = match.spans[static_cast<std::size_t>(index)];
  if (!span.matched || span.length <= 0 || span.offset < 0) return Text();
  // A match list only fits the text it came from; never read past this one.
  const auto offset = static_cast<std::size_t>(span.offset);
  if (offset >= pageText.size()) return Text();
  return pageText.substr(offset, static_cast<std::size_t>(span.length));
}
