#include "ListingExtractor.h"

#include <limits>
#include <string_view>

#include "ByteClassTraits.h"
#include "LeadingLiteral.h"

struct ListingExtractor::Compiled {
  explicit Compiled(std::string_view pattern) : leadingLiteral(LeadingLiteral(pattern)) {}

  boost::basic_regex<char, ByteClassTraits> expression;
  // The bytes every match begins with; empty when the pattern has none that
  // can be read off it, and then the engine searches by itself.
  LiteralScanner leadingLiteral;

  // The leftmost match that begins at or after `from`, searching as if the
  // text began at `from`.
  bool NextMatch(const char* from, const char* end, boost::match_results<const char*>& found) const;
};

namespace {

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
    auto compiled = std::make_unique<Compiled>(source);
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
    // A list page holds a few dozen entries; growing the list from nothing
    // would copy it several times over for each page.
    matches.reserve(64);
    // Each search begins at the end of the last match as if it were the start
    // of the text, so matches never overlap. An empty match (a pattern such as
    // "a*") would begin the next search where it stands, forever: the search
    // after it starts one byte further, as Perl and PCRE2 step past it.
    while (from < end && compiled_->NextMatch(from, end, found)) {
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

bool ListingExtractor::Compiled::NextMatch(const char* from, const char* end,
                                           boost::match_results<const char*>& found) const {
  const LiteralScanner& literal = leadingLiteral;
  if (literal.empty()) return boost::regex_search(from, end, found, expression);
  // Every match starts where the literal does, so the engine only tries
  // there, anchored. Passing `from` as the base keeps what the engine sees
  // before a candidate (^, \b, look-behind) exactly as in a search from
  // `from`: the same leftmost match, found without the engine's byte-by-byte
  // walk between candidates.
  for (const char* at = literal.Find(from, end); at; at = literal.Find(at + 1, end)) {
    if (boost::regex_search(at, end, found, expression, boost::regex_constants::match_continuous, from)) {
      return true;
    }
  }
  return false;
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
