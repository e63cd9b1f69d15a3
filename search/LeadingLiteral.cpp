#include "LeadingLiteral.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes that stand for themselves in Perl syntax, in any position, without
// the extended (x) mode: letters, digits, bytes above 0x7F (code page 936
// halves) and punctuation with no meaning of its own. Anything else ends the
// literal, even where it might still be literal.
bool IsPlainLiteral(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 0x80) return true;
  if ((b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return true;
  switch (c) {
    case ' ': case '!': case '"': case '%': case '&': case '\'': case ',': case '-': case '/':
    case ':': case ';': case '<': case '=': case '>': case '@': case '_': case '`': case '~':
      return true;
    default:
      return false;
  }
}

bool IsQuantifier(char c) { return c == '?' || c == '*' || c == '+' || c == '{'; }

// The end of the bracket expression opening at `at` (one past its "]"), or
// npos when it never closes.
std::size_t SkipClass(std::string_view p, std::size_t at) {
  std::size_t i = at + 1;
  if (i < p.size() && p[i] == '^') ++i;
  if (i < p.size() && p[i] == ']') ++i;  // a leading "]" is a member
  while (i < p.size()) {
    if (p[i] == '\\') {
      i += 2;
    } else if (p[i] == '[' && i + 1 < p.size() && (p[i + 1] == ':' || p[i + 1] == '.' || p[i + 1] == '=')) {
      const char close[] = {p[i + 1], ']', '\0'};
      const std::size_t end = p.find(close, i + 2);
      if (end == std::string_view::npos) return std::string_view::npos;
      i = end + 2;
    } else if (p[i] == ']') {
      return i + 1;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

// How a stretch of pattern that starts inside a group (or at the start of the
// pattern) ends: where its group closes (npos: at the pattern's end) and
// whether it holds an alternation of its own, outside any inner group.
struct Stretch {
  std::size_t close = std::string_view::npos;
  bool alternation = false;
  bool unreadable = false;  // a class or group that never closes, \Q, a verb
};

Stretch ReadStretch(std::string_view p, std::size_t from) {
  Stretch stretch;
  int depth = 0;
  for (std::size_t i = from; i < p.size();) {
    const char c = p[i];
    if (c == '\\') {
      if (i + 1 < p.size() && p[i + 1] == 'Q') stretch.unreadable = true;
      i += 2;
    } else if (c == '[') {
      i = SkipClass(p, i);
      if (i == std::string_view::npos) {
        stretch.unreadable = true;
        return stretch;
      }
    } else if (c == '(') {
      // A backtracking verb such as (*COMMIT) can end a whole search where
      // a try at one place would only fail there.
      if (i + 1 < p.size() && p[i + 1] == '*') stretch.unreadable = true;
      ++depth;
      ++i;
    } else if (c == ')') {
      if (depth-- == 0) {
        stretch.close = i;
        return stretch;
      }
      ++i;
    } else {
      if (c == '|' && depth == 0) stretch.alternation = true;
      ++i;
    }
  }
  if (depth != 0) stretch.unreadable = true;
  return stretch;
}

unsigned char Fold(unsigned char b) { return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b; }

}  // namespace

Text LeadingLiteral(std::string_view pattern) {
  const Stretch whole = ReadStretch(pattern, 0);
  if (whole.alternation || whole.unreadable || whole.close != std::string_view::npos) return Text();

  Text literal;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (IsPlainLiteral(c)) {
      // A quantifier binds to the byte before it, which then need not be there.
      if (i + 1 < pattern.size() && IsQuantifier(pattern[i + 1])) break;
      literal += c;
      ++i;
    } else if (c == '(') {
      // A plain or non-capturing group that must match once, with no
      // alternation of its own, continues the literal with its contents.
      const bool nonCapturing = pattern.substr(i, 3) == "(?:";
      if (!nonCapturing && i + 1 < pattern.size() && (pattern[i + 1] == '?' || pattern[i + 1] == '*')) break;
      const std::size_t contents = i + (nonCapturing ? 3 : 1);
      const Stretch group = ReadStretch(pattern, contents);
      if (group.alternation || group.unreadable || group.close == std::string_view::npos) break;
      if (group.close + 1 < pattern.size() && IsQuantifier(pattern[group.close + 1])) break;
      i = contents;
    } else if (c == ')') {
      // The end of a group entered above, checked to be unquantified.
      ++i;
    } else {
      break;
    }
  }
  return literal;
}

LiteralScanner::LiteralScanner(std::string_view literal) {
  for (char c : literal) folded_ += static_cast<char>(Fold(static_cast<unsigned char>(c)));
}

bool LiteralScanner::StartsAt(const char* at) const {
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (Fold(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(folded_[i])) return false;
  }
  return true;
}

const char* LiteralScanner::Find(const char* from, const char* end) const {
  const std::size_t m = folded_.size();
  if (m == 0) return from;
  if (end - from < static_cast<std::ptrdiff_t>(m)) return nullptr;
  const char* const lastStart = end - m;
  const char* at = from;
#if defined(__SSE2__)
  // Sixteen places at a time, keeping those whose first and last bytes fit
  // (a letter's case bit set on both sides, so either case fits); the pair is
  // rare in a page, and only those places are compared in full.
  auto caseBit = [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? 0x20 : 0); };
  const __m128i first = _mm_set1_epi8(folded_.front());
  const __m128i last = _mm_set1_epi8(folded_.back());
  const __m128i firstCase = _mm_set1_epi8(caseBit(folded_.front()));
  const __m128i lastCase = _mm_set1_epi8(caseBit(folded_.back()));
  while (lastStart - at >= 15) {
    const __m128i starts = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), firstCase);
    const __m128i ends = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + m - 1)), lastCase);
    auto candidates = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    while (candidates != 0) {
      const char* const place = at + __builtin_ctz(candidates);
      if (StartsAt(place)) return place;
      candidates &= candidates - 1;
    }
    at += 16;
  }
#endif
  for (; at <= lastStart; ++at) {
    if (StartsAt(at)) return at;
  }
  return nullptr;
}
