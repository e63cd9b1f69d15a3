// The extractor's scan for a pattern's leading literal against the plain
// Boost.Regex search it stands in for: over saved pages, generated pages and
// near-miss anchors, both must report exactly the same spans.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ByteClassTraits.h"
#include "LeadingLiteral.h"
#include "ListingExtractor.h"

namespace {

// Per match: offset and length of the whole match and groups 1 and 2, -1 and
// -1 for a group that did not take part.
using Spans = std::vector<std::vector<std::int32_t>>;

std::vector<std::int32_t> Flatten(const std::array<ListingSpan, 3>& spans) {
  std::vector<std::int32_t> flat;
  for (const ListingSpan& s : spans) {
    flat.push_back(s.matched ? s.offset : -1);
    flat.push_back(s.matched ? s.length : -1);
  }
  return flat;
}

// The plain loop: Boost searches from the end of the last match (one byte on
// after an empty one) as if the text began there, same traits, same flags.
Spans PlainSearch(const Text& pattern, const Text& page) {
  const boost::basic_regex<char, ByteClassTraits> expression(
      pattern, boost::regex_constants::perl | boost::regex_constants::icase);
  Spans spans;
  const char* const start = page.data();
  const char* const end = start + page.size();
  const char* from = start;
  boost::match_results<const char*> found;
  while (from < end && boost::regex_search(from, end, found, expression)) {
    std::array<ListingSpan, 3> match{};
    for (int i = 0; i < 3 && i < static_cast<int>(found.size()); ++i) {
      match[static_cast<std::size_t>(i)].matched = found[i].matched;
      if (found[i].matched) {
        match[static_cast<std::size_t>(i)].offset = static_cast<std::int32_t>(found[i].first - start);
        match[static_cast<std::size_t>(i)].length = static_cast<std::int32_t>(found[i].length());
      }
    }
    spans.push_back(Flatten(match));
    from = found[0].second;
    if (found[0].first == found[0].second) {
      if (from == end) break;
      ++from;
    }
  }
  return spans;
}

Spans ExtractorSpans(const Text& pattern, const Text& page) {
  ListingExtractor extractor;
  EXPECT_TRUE(extractor.Compile(pattern)) << pattern;
  Spans spans;
  for (const ListingMatch& m : extractor.FindAll(page)) spans.push_back(Flatten(m.spans));
  return spans;
}

Text ReadFixture(const char* name) {
  std::ifstream in(std::string(LISTING_FIXTURE_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Text kPath = "/html/gndy/dyzz/20261211/12345.html";

Text Anchor(const Text& path, const Text& title) {
  return "<a href=\"" + path + "\" class=\"ulink\">" + title + "</a>";
}

// Pieces a generated page is cut from: whole anchors, anchors broken at every
// place the pattern checks, letter case changed, literals cut short or
// repeated inside each other, GBK text, blanks and line ends.
std::vector<Text> Pieces() {
  const Text lead = "<a href=\"/html/gndy/";
  std::vector<Text> pieces = {
      Anchor(kPath, "Title"),
      Anchor(kPath, "\xB5\xE7\xD3\xB0\xA1\xA1\xC3\xFB"),
      "<A HREF=\"/HTML/GNDY/DYZZ/20261211/123.HTML\" CLASS=\"ULINK\">T</A>",
      "<a hReF=\"/HtMl/gNdY/ab_1x/12345678/12345.html\" class=\"uLiNk\">x</a>",
      lead, lead + lead, "<a href=\"/html/gndy", "<a href=\"/html/gndz/", "<a  href=\"/html/gndy/",
      lead + "dyzz/20261211/12.html\" class=\"ulink\">T</a>",
      lead + "dyz/20261211/123.html\" class=\"ulink\">T</a>",
      lead + "dyzz/20261211/123.html\" class=\"ulink\"> T</a>",
      lead + "dyzz/20261211/123.html\" class=\"ulink\">T",
      lead + "dy\xB5\xE7/20261211/123.html\" class=\"ulink\">T</a>",
      "</a>", "<a", "<", "a", "A", "\"", " ", "\r\n", "\t", "<li>", "<b>", "x</a>",
      "\xB5\xE7\xD3\xB0", "\xA1\xA1", "\xFF\x80", "class=\"ulink\">", "href=", "gndy/", "aaa", "ab", "abab",
  };
  return pieces;
}

Text GeneratedPage(std::mt19937& random, const std::vector<Text>& pieces, int count) {
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  Text page;
  for (int i = 0; i < count; ++i) page += pieces[pick(random)];
  return page;
}

// The site's own pattern, and others that give the scan a leading literal in
// different ways, need the text before a candidate, or have no literal at all
// (the plain search then runs alone).
const char* const kPatterns[] = {
    ListingPattern,
    R"re(<a href="([^"]*)"[^>]*>([^<]*))re",
    R"(class="ulink">(\S+)</a>)",
    R"(gndy/(\w{4,5})/(\d+))",
    R"(<a\b)",
    R"(ab?)",
    R"(abab)",
    R"(href(?<=a href))",
    R"(a(?!b)(.))",
    R"(<a href="/html/gndy/\w+/\d+/\d+\.html" class="ulink">([^<]*)</a>|</a>)",
    R"(\S+</a>)",
    R"((?<= )<a)",
    R"(^<a)",
    R"(a*)",
    R"(\b)",
    R"(x?)",
};

TEST(ExtractionPaths, TheSitePatternHasItsAnchorAsLeadingLiteral) {
  EXPECT_EQ(LeadingLiteral(ListingPattern), "<a href=\"/html/gndy/");
}

TEST(ExtractionPaths, LeadingLiteralOfPatterns) {
  const struct {
    const char* pattern;
    const char* literal;
  } cases[] = {
      {"abc", "abc"},
      {"ab?c", "a"},
      {"ab*", "a"},
      {"ab+", "a"},
      {"ab{2}", "a"},
      {"a?", ""},
      {"ab.c", "ab"},
      {"ab\\.c", "ab"},
      {"ab(c|d)", "ab"},
      {"a(b(c)d)e", "abcde"},
      {"a(?:bc)d", "abcd"},
      {"a(bc)?d", "a"},
      {"a(b|c)d", "a"},
      {"a(?=b)c", "a"},
      {"a(?<n>b)c", "a"},
      {"ab[|]", "ab"},
      {"ab\\|c", "ab"},
      {"ab|cd", ""},
      {"ab(c)|d", ""},
      {"ab[)]|d", ""},
      {"ab(?:x)(*COMMIT)y", ""},
      {"ab\\Q|\\E", ""},
      {"ab(", ""},
      {"(ab)", "ab"},
      {"(ab)+c", ""},
      {"\\bab", ""},
      {"^ab", ""},
      {"[a]b", ""},
      {"\xB5\xE7\xD3\xB0x", "\xB5\xE7\xD3\xB0x"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingLiteral(c.pattern), c.literal) << c.pattern;
}

TEST(ExtractionPaths, ScannerFindsEveryPlaceANaiveCompareFinds) {
  std::mt19937 random(7);
  const std::vector<Text> pieces = Pieces();
  for (const char* literal : {"<a href=\"/html/gndy/", "aB", "a", "\xB5\xE7", "abab", "</a>"}) {
    const LiteralScanner scanner(literal);
    const Text folded = [&] {
      Text t = literal;
      for (char& c : t) c = ByteClassTraits::tolower(c);
      return t;
    }();
    for (int round = 0; round < 20; ++round) {
      const Text page = GeneratedPage(random, pieces, 60);
      std::vector<std::size_t> expected, found;
      for (std::size_t at = 0; at + folded.size() <= page.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < folded.size() && same; ++i) same = ByteClassTraits::tolower(page[at + i]) == folded[i];
        if (same) expected.push_back(at);
      }
      const char* const end = page.data() + page.size();
      for (const char* at = scanner.Find(page.data(), end); at; at = scanner.Find(at + 1, end)) {
        found.push_back(static_cast<std::size_t>(at - page.data()));
      }
      ASSERT_EQ(found, expected) << literal << " in " << page;
    }
  }
}

TEST(ExtractionPaths, SavedPagesGiveTheSameSpansBothWays) {
  for (const char* name : {"latest-page-1.html", "western-page-7.html"}) {
    const Text page = ReadFixture(name);
    ASSERT_FALSE(page.empty());
    for (const char* pattern : kPatterns) {
      const Spans expected = PlainSearch(pattern, page);
      if (pattern == ListingPattern) {
        EXPECT_GT(expected.size(), 10u) << name;
      }
      EXPECT_EQ(ExtractorSpans(pattern, page), expected) << name << " / " << pattern;
    }
  }
}

TEST(ExtractionPaths, GeneratedPagesGiveTheSameSpansBothWays) {
  std::mt19937 random(20261211);
  const std::vector<Text> pieces = Pieces();
  std::size_t listingMatches = 0;
  for (int round = 0; round < 150; ++round) {
    const Text page = GeneratedPage(random, pieces, 1 + round % 40);
    for (const char* pattern : kPatterns) {
      const Spans expected = PlainSearch(pattern, page);
      if (pattern == ListingPattern) listingMatches += expected.size();
      ASSERT_EQ(ExtractorSpans(pattern, page), expected) << pattern << " in " << page;
    }
  }
  // The pages must hold matches, or the comparison would say little.
  EXPECT_GT(listingMatches, 50u);
}

TEST(ExtractionPaths, NearMissAnchorsGiveTheSameSpansBothWays) {
  // The site's anchor with each byte in turn dropped, doubled or replaced,
  // between whole anchors, so that every candidate the scan finds fails at a
  // different place.
  const Text anchor = Anchor(kPath, "T");
  for (std::size_t at = 0; at < anchor.size(); ++at) {
    for (const Text& broken : {anchor.substr(0, at) + anchor.substr(at + 1),
                               anchor.substr(0, at + 1) + anchor.substr(at),
                               anchor.substr(0, at) + "\xB5" + anchor.substr(at + 1)}) {
      const Text page = anchor + broken + anchor + " " + broken + broken;
      for (const char* pattern : kPatterns) {
        ASSERT_EQ(ExtractorSpans(pattern, page), PlainSearch(pattern, page)) << pattern << " in " << page;
      }
    }
  }
}

}  // namespace
