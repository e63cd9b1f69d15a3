// Extraction against an independent engine: PCRE2 with the same pattern,
// letter case ignored, no UTF, its built-in C-locale tables (the same byte
// classes ours fix), each search restarting after the last match as a new
// text, the page cut at its first zero byte. Both must find the same matches
// with the same three spans and the same two group texts.
//
// The first input byte picks the page's shape: the raw bytes that follow, or
// a page spliced from anchor fragments built from them (field lengths around
// their limits, letters flipped, bytes changed, blanks and zero bytes put in)
// so that matches actually occur.
#include <fuzzer/FuzzedDataProvider.h>
#include <pcre2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ListingExtractor.h"

namespace {

struct Span {
  std::int64_t offset;
  std::int64_t length;
  bool operator==(const Span& other) const { return offset == other.offset && length == other.length; }
};

struct OracleMatch {
  Span spans[3];
  std::string groups[2];  // path, title
};

class Pcre2Oracle {
 public:
  Pcre2Oracle() {
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(ListingPattern), PCRE2_ZERO_TERMINATED, PCRE2_CASELESS,
                          &error, &errorOffset, nullptr);
    if (code_ == nullptr) Fail("PCRE2 does not compile the listing pattern");
    data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
  }

  // False when PCRE2 itself gave up (its match limits): nothing to compare.
  bool FindAll(const std::string& page, std::vector<OracleMatch>& out) const {
    const std::size_t size = std::find(page.begin(), page.end(), '\0') - page.begin();
    std::size_t from = 0;
    while (from < size) {
      const auto* subject = reinterpret_cast<PCRE2_SPTR>(page.data() + from);
      const int rc = pcre2_match(code_, subject, size - from, 0, 0, data_, nullptr);
      if (rc == PCRE2_ERROR_NOMATCH) break;
      if (rc < 0) return false;
      const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data_);
      OracleMatch match;
      for (int i = 0; i < 3; ++i) {
        match.spans[i] = {static_cast<std::int64_t>(from + ovector[2 * i]),
                          static_cast<std::int64_t>(ovector[2 * i + 1] - ovector[2 * i])};
      }
      for (int i = 1; i < 3; ++i) match.groups[i - 1] = page.substr(from + ovector[2 * i], ovector[2 * i + 1] - ovector[2 * i]);
      out.push_back(match);
      const std::size_t next = from + ovector[1];
      from = (ovector[0] == ovector[1]) ? next + 1 : next;
    }
    return true;
  }

  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "extraction_fuzz: %s\n", what);
    std::abort();
  }

 private:
  pcre2_code* code_ = nullptr;
  pcre2_match_data* data_ = nullptr;
};

// Bytes a title may be made of: letters, digits, markup of the closing tag,
// every C white space, the GBK bytes of 电 and of the ideographic space, and
// bytes at 0x80 and above that some locales take for blanks or letters.
constexpr char kTitleBytes[] = {'A', 'z', '0', '_', '<', '/', 'a', 'A', '>', ' ', '\t', '\n', '\v', '\f', '\r',
                                '\xB5', '\xE7', '\xA1', '\xA1', '\xA0', '\x85', '\xFF', '\xC0', '\xE0', '&', '\0'};
constexpr char kWordBytes[] = "abcdeXYZ0189_-.\xB5\xE0";
constexpr char kDigitBytes[] = "0123456789a\xB9";

std::string Run(FuzzedDataProvider& in, const char* alphabet, std::size_t alphabetSize, int minimum, int maximum) {
  std::string run;
  const int length = in.ConsumeIntegralInRange(minimum, maximum);
  for (int i = 0; i < length; ++i) run += alphabet[in.ConsumeIntegralInRange<std::size_t>(0, alphabetSize - 1)];
  return run;
}

std::string Title(FuzzedDataProvider& in) {
  if (in.ConsumeIntegralInRange(0, 7) == 0) return "</a>";
  return Run(in, kTitleBytes, sizeof kTitleBytes, 0, 10);
}

// One anchor of the listing site's form, its fields around their limits, then
// a few edits.
std::string Anchor(FuzzedDataProvider& in) {
  std::string a = in.ConsumeBool() ? "<a href=\"/html/gndy/" : "<A HREF=\"/HTML/GNDY/";
  // Mostly in range (4-5 word bytes, 6-8 digits, 3-5 digits), sometimes one off.
  a += Run(in, kWordBytes, sizeof kWordBytes - 1, 3, 6);
  a += '/';
  a += Run(in, kDigitBytes, in.ConsumeBool() ? 10 : sizeof kDigitBytes - 1, 5, 9);
  a += '/';
  a += Run(in, kDigitBytes, in.ConsumeBool() ? 10 : sizeof kDigitBytes - 1, 2, 6);
  a += in.ConsumeBool() ? ".html\" class=\"ulink\">" : ".HTML\" CLASS=\"ULINK\">";
  a += Title(in);
  a += in.ConsumeBool() ? "</a>" : "</A>";
  if (in.ConsumeIntegralInRange(0, 3) == 0) a += Title(in) + "</a>";

  const int edits = in.ConsumeIntegralInRange(0, 3);
  for (int e = 0; e < edits && !a.empty(); ++e) {
    const std::size_t at = in.ConsumeIntegralInRange<std::size_t>(0, a.size() - 1);
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:  // letter case flipped (or any byte's bit 5)
        a[at] = static_cast<char>(a[at] ^ 0x20);
        break;
      case 1:
        a[at] = in.ConsumeIntegral<char>();
        break;
      case 2:
        a.insert(at, 1, " \t\n\v\f\r\0"[in.ConsumeIntegralInRange(0, 6)]);
        break;
      default:
        a.erase(at, 1);
        break;
    }
  }
  return a;
}

std::string SplicedPage(FuzzedDataProvider& in) {
  static const char* const kBetween[] = {"", " ", "\n", "<br>", "\xA1\xA1", "</a>", "<a ", "\r\n  "};
  std::string page;
  const int anchors = in.ConsumeIntegralInRange(1, 6);
  for (int i = 0; i < anchors && in.remaining_bytes() > 0; ++i) {
    page += kBetween[in.ConsumeIntegralInRange(0, 7)];
    page += Anchor(in);
  }
  page += in.ConsumeRandomLengthString(32);
  return page;
}

const char* ShapeName(bool spliced) { return spliced ? "spliced page" : "raw bytes"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Pcre2Oracle oracle;
  static ListingExtractor extractor;
  static const bool compiled = extractor.Compile(ListingPattern);
  if (!compiled) Pcre2Oracle::Fail("the listing pattern does not compile");
  if (size == 0) return 0;

  const bool spliced = (data[0] & 1) != 0;
  FuzzedDataProvider in(data + 1, size - 1);
  const std::string page = spliced ? SplicedPage(in) : in.ConsumeRemainingBytesAsString();

  std::vector<OracleMatch> expected;
  if (!oracle.FindAll(page, expected)) return 0;
  const MatchList found = extractor.FindAll(page);

  if (found.size() != expected.size()) {
    std::fprintf(stderr, "%s: %zu matches, PCRE2 finds %zu\n", ShapeName(spliced), found.size(), expected.size());
    Pcre2Oracle::Fail("match count differs");
  }
  for (std::size_t m = 0; m < found.size(); ++m) {
    for (int i = 0; i < 3; ++i) {
      const ListingSpan& ours = found[m].spans[static_cast<std::size_t>(i)];
      const Span theirs = expected[m].spans[i];
      if (!ours.matched || !(Span{ours.offset, ours.length} == theirs)) {
        std::fprintf(stderr, "%s: match %zu span %d is %d+%d, PCRE2 has %lld+%lld\n", ShapeName(spliced), m, i,
                     ours.offset, ours.length, static_cast<long long>(theirs.offset),
                     static_cast<long long>(theirs.length));
        Pcre2Oracle::Fail("span differs");
      }
    }
    for (int i = 1; i < 3; ++i) {
      if (ListingExtractor::GroupText(found[m], page, i) != expected[m].groups[i - 1]) {
        std::fprintf(stderr, "%s: match %zu group %d text differs\n", ShapeName(spliced), m, i);
        Pcre2Oracle::Fail("group text differs");
      }
    }
  }
  return 0;
}
