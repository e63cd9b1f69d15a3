#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ListingExtractor.h"
#include "PreparedPages.h"

namespace {

struct Found {
  Text path;
  Text title;
  bool operator==(const Found& other) const { return path == other.path && title == other.title; }
};

void PrintTo(const Found& f, std::ostream* os) { *os << "{" << f.path << ", " << f.title << "}"; }

std::vector<Found> Extract(const Text& page) {
  ListingExtractor extractor;
  EXPECT_TRUE(extractor.Compile(ListingPattern));
  std::vector<Found> found;
  for (const ListingMatch& m : extractor.FindAll(page)) {
    found.push_back({ListingExtractor::GroupText(m, page, 1), ListingExtractor::GroupText(m, page, 2)});
  }
  return found;
}

const Text kPath = "/html/gndy/dyzz/20261211/12345.html";

TEST(ListingExtractor, PatternIsTheSeventySixBytesOfTheSiteAnchor) {
  EXPECT_EQ(std::string(ListingPattern).size(), 76u);
}

TEST(ListingExtractor, OrdinaryAnchorGivesPathAndTitle) {
  const Text page = "<li>" + Anchor(kPath, "Title") + "</li>";
  ListingExtractor extractor;
  ASSERT_TRUE(extractor.Compile(ListingPattern));
  const MatchList matches = extractor.FindAll(page);
  ASSERT_EQ(matches.size(), 1u);
  const ListingMatch& m = matches[0];
  for (const ListingSpan& span : m.spans) EXPECT_TRUE(span.matched);
  EXPECT_EQ(m.spans[0].offset, 4);
  EXPECT_EQ(m.spans[1].length, 35);
  EXPECT_EQ(ListingExtractor::GroupText(m, page, 0), Anchor(kPath, "Title"));
  EXPECT_EQ(ListingExtractor::GroupText(m, page, 1), kPath);
  EXPECT_EQ(ListingExtractor::GroupText(m, page, 2), "Title");
}

// One anchor (or a few) per row: the page and exactly what must be found.
struct ExtractionCase {
  const char* name;
  Text page;
  std::vector<Found> expected;
};

void PrintTo(const ExtractionCase& c, std::ostream* os) { *os << c.name; }

class Extraction : public testing::TestWithParam<ExtractionCase> {};

TEST_P(Extraction, FindsExactlyTheExpectedEntries) {
  EXPECT_EQ(Extract(GetParam().page), GetParam().expected);
}

const Text kGbkTitle = "\xB7\xE8\xBF\xF1\xA1\xA1\xB5\xC4\xCA\xAF\xCD\xB7";  // 疯狂　的石头, ideographic space inside

INSTANTIATE_TEST_SUITE_P(
    Cases, Extraction,
    testing::Values(
        ExtractionCase{"empty", "", {}},
        ExtractionCase{"first byte zero", Text("\0", 1) + Anchor(kPath, "T"), {}},
        ExtractionCase{"text after the first zero byte ignored",
                       Anchor(kPath, "A") + Text("\0", 1) + Anchor(kPath, "B"),
                       {{kPath, "A"}}},
        ExtractionCase{"capitals match and are kept",
                       "<A HREF=\"/HTML/GNDY/DYZZ/20261211/12345.HTML\" CLASS=\"ULINK\">Title</A>",
                       {{"/HTML/GNDY/DYZZ/20261211/12345.HTML", "Title"}}},
        ExtractionCase{"shortest path", Anchor("/html/gndy/abcd/123456/123.html", "T"),
                       {{"/html/gndy/abcd/123456/123.html", "T"}}},
        ExtractionCase{"longest path", Anchor("/html/gndy/ab_1x/12345678/12345.html", "T"),
                       {{"/html/gndy/ab_1x/12345678/12345.html", "T"}}},
        ExtractionCase{"directory of 3", Anchor("/html/gndy/abc/20261211/123.html", "T"), {}},
        ExtractionCase{"directory of 6", Anchor("/html/gndy/abcdef/20261211/123.html", "T"), {}},
        ExtractionCase{"date of 5", Anchor("/html/gndy/dyzz/20261/123.html", "T"), {}},
        ExtractionCase{"date of 9", Anchor("/html/gndy/dyzz/202612111/123.html", "T"), {}},
        ExtractionCase{"entry of 2", Anchor("/html/gndy/dyzz/20261211/12.html", "T"), {}},
        ExtractionCase{"entry of 6", Anchor("/html/gndy/dyzz/20261211/123456.html", "T"), {}},
        ExtractionCase{"GBK byte is no word byte", Anchor("/html/gndy/dy\xB5\xE7/20261211/123.html", "T"), {}},
        ExtractionCase{"full-width digits are no digits", Anchor("/html/gndy/dyzz/2026\xA3\xB1\xA3\xB2/123.html", "T"),
                       {}},
        ExtractionCase{"blank in the title skips only that anchor",
                       Anchor(kPath, "A") + "\n" + Anchor(kPath, "B C") + "\n" + Anchor(kPath, "D"),
                       {{kPath, "A"}, {kPath, "D"}}},
        ExtractionCase{"line break before the title", Anchor(kPath, "\nT"), {}},
        ExtractionCase{"tab inside the title", Anchor(kPath, "A\tB"), {}},
        ExtractionCase{"blank before the closing tag", Anchor(kPath, "T "), {}},
        ExtractionCase{"GBK title with the ideographic space", Anchor(kPath, kGbkTitle), {{kPath, kGbkTitle}}},
        ExtractionCase{"greedy title over two closing tags",
                       Anchor(kPath, "T") + "<b>x</a> next",
                       {{kPath, "T</a><b>x"}}},
        ExtractionCase{"back-to-back anchors", Anchor(kPath, "A") + Anchor(kPath, "B"), {{kPath, "A"}, {kPath, "B"}}},
        ExtractionCase{"duplicates kept in page order", Anchor(kPath, "A") + " " + Anchor(kPath, "A"),
                       {{kPath, "A"}, {kPath, "A"}}},
        ExtractionCase{"character references kept", Anchor(kPath, "Tom&amp;Jerry&#183;2"),
                       {{kPath, "Tom&amp;Jerry&#183;2"}}},
        ExtractionCase{"no title", Anchor(kPath, "") + " ", {}},
        ExtractionCase{"no title but a further closing tag", Anchor(kPath, "") + "x</a> ", {{kPath, "</a>x"}}},
        ExtractionCase{"another attribute", "<a href=\"" + kPath + "\" title=\"t\" class=\"ulink\">T</a>", {}},
        ExtractionCase{"two blanks", "<a  href=\"" + kPath + "\" class=\"ulink\">T</a>", {}},
        ExtractionCase{"single quotes", "<a href='" + kPath + "' class='ulink'>T</a>", {}},
        ExtractionCase{"query after .html", Anchor(kPath + "?x=1", "T"), {}}),
    [](const testing::TestParamInfo<ExtractionCase>& info) {
      std::string name;
      for (char c : std::string(info.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(ListingExtractor, WithoutACompiledFormFindsNothing) {
  ListingExtractor extractor;
  EXPECT_TRUE(extractor.FindAll(Anchor(kPath, "T")).empty());
}

TEST(ListingExtractor, FailedCompileKeepsTheFormHeldBefore) {
  ListingExtractor extractor;
  EXPECT_FALSE(extractor.Compile("(unclosed"));
  EXPECT_TRUE(extractor.FindAll("(unclosed").empty());
  ASSERT_TRUE(extractor.Compile(ListingPattern));
  EXPECT_FALSE(extractor.Compile("a{2,1}"));
  EXPECT_EQ(extractor.FindAll(Anchor(kPath, "T")).size(), 1u);
}

TEST(ListingExtractor, EmptyMatchesStepOneBytePast) {
  // Compile takes any pattern; one that matches the empty text used to leave
  // FindAll searching the same place for ever, its list growing without end.
  const struct {
    const char* pattern;
    Text page;
    std::vector<std::pair<std::int32_t, std::int32_t>> wholeSpans;  // offset, length
  } cases[] = {
      {"a*", "b", {{0, 0}}},
      {"x?", "b", {{0, 0}}},
      {"", "b", {{0, 0}}},
      {"", "abc", {{0, 0}, {1, 0}, {2, 0}}},
      {"a*", "baab", {{0, 0}, {1, 2}, {3, 0}}},
      {"b|", "ab", {{0, 0}, {1, 1}}},
      {"^", "abc", {{0, 0}, {1, 0}, {2, 0}}},  // each search starts a new text
  };
  for (const auto& c : cases) {
    ListingExtractor extractor;
    ASSERT_TRUE(extractor.Compile(c.pattern)) << c.pattern;
    std::vector<std::pair<std::int32_t, std::int32_t>> spans;
    for (const ListingMatch& m : extractor.FindAll(c.page)) spans.emplace_back(m.spans[0].offset, m.spans[0].length);
    EXPECT_EQ(spans, c.wholeSpans) << "pattern \"" << c.pattern << "\" on \"" << c.page << "\"";
  }
}

TEST(ListingExtractor, GroupTextOfASpanOutsideThePageIsEmpty) {
  ListingMatch m;
  m.spans[2] = {10, 5, true};
  EXPECT_EQ(ListingExtractor::GroupText(m, "short", 2), "");
  m.spans[2] = {0, 5, false};
  EXPECT_EQ(ListingExtractor::GroupText(m, "short", 2), "");
  m.spans[2] = {3, 5, true};
  EXPECT_EQ(ListingExtractor::GroupText(m, "short", 2), "rt");
}

TEST(ListingExtractor, EngineGivingUpKeepsTheMatchesFoundBefore) {
  // A pattern whose backtracking explodes on the tail of the page makes Boost
  // throw; the earlier matches survive.
  ListingExtractor extractor;
  ASSERT_TRUE(extractor.Compile("(x|y)|(a+)+b"));
  const Text page = "x y " + std::string(40, 'a') + "c";
  const MatchList matches = extractor.FindAll(page);
  EXPECT_EQ(matches.size(), 2u);
}

TEST(ListingExtractor, LongRunsOfNonBlankBytesDoNotExhaustTheEngine) {
  Text page = "<a href=\"" + kPath + "\" class=\"ulink\">" + std::string(2 * 1024 * 1024, 'x');
  page += Anchor(kPath, "End");
  EXPECT_EQ(Extract(page), (std::vector<Found>{{kPath, "End"}}));
}

}  // namespace
