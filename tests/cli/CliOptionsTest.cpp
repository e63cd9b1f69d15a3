// The command line read strictly: every value the program takes, and each kind
// of argument it refuses with the argument named.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "SiteForm.h"

namespace {

const Text kBuildSite = "http://www.build.example";

ParsedCommandLine Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments, kBuildSite); }

TEST(CliOptions, DefaultsAreTheBuildsSiteFirstCategoryOnePage) {
  const ParsedCommandLine parsed = Parse({});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.site, kBuildSite);
  EXPECT_EQ(parsed.options.category, 0);
  EXPECT_EQ(parsed.options.pages, 1);
  EXPECT_EQ(parsed.options.format, RowFormat::Tsv);
  EXPECT_EQ(parsed.options.encoding, RowEncoding::Utf8);
  EXPECT_EQ(parsed.options.jobs, 1);
  EXPECT_FALSE(parsed.options.quiet);
}

TEST(CliOptions, EveryOptionInBothSpellings) {
  for (bool joined : {false, true}) {
    std::vector<std::string> arguments;
    const auto add = [&](const std::string& name, const std::string& value) {
      if (joined) {
        arguments.push_back(name + "=" + value);
      } else {
        arguments.push_back(name);
        arguments.push_back(value);
      }
    };
    add("--site", "https://127.0.0.1:8443");
    add("--category", "japan-korea");
    add("--pages", "2147483647");
    add("--format", "jsonl");
    add("--encoding", "gbk");
    add("--jobs", "16");
    arguments.push_back("--quiet");
    const ParsedCommandLine parsed = Parse(arguments);
    ASSERT_EQ(parsed.error, "") << joined;
    EXPECT_EQ(parsed.options.site, "https://127.0.0.1:8443");
    EXPECT_EQ(parsed.options.category, 4);
    EXPECT_EQ(parsed.options.pages, 2147483647);
    EXPECT_EQ(parsed.options.format, RowFormat::Jsonl);
    EXPECT_EQ(parsed.options.encoding, RowEncoding::Gbk);
    EXPECT_EQ(parsed.options.jobs, 16);
    EXPECT_TRUE(parsed.options.quiet);
  }
}

TEST(CliOptions, CategoryByIndexAliasAndName) {
  const struct {
    const char* argument;
    std::int32_t category;
  } cases[] = {
      {"0", 0}, {"4", 4}, {"latest", 0}, {"china", 1}, {"general", 2}, {"western", 3}, {"japan-korea", 4},
      // The display names as a UTF-8 terminal types them...
      {"\xE6\x9C\x80\xE6\x96\xB0\xE7\x94\xB5\xE5\xBD\xB1", 0},
      {"\xE5\x9B\xBD\xE5\x86\x85\xE7\x94\xB5\xE5\xBD\xB1", 1},
      {"\xE7\xBB\xBC\xE5\x90\x88\xE7\x94\xB5\xE5\xBD\xB1", 2},
      {"\xE6\xAC\xA7\xE7\xBE\x8E\xE7\x94\xB5\xE5\xBD\xB1", 3},
      {"\xE6\x97\xA5\xE9\x9F\xA9\xE7\x94\xB5\xE5\xBD\xB1", 4},
      // ...and as a GBK one does.
      {"\xC5\xB7\xC3\xC0\xB5\xE7\xD3\xB0", 3},
      // Near misses.
      {"5", -1}, {"-1", -1}, {"00", -1}, {"+1", -1}, {" 1", -1}, {"Latest", -1}, {"japan", -1}, {"", -1},
      {"\xE6\x9C\x80\xE6\x96\xB0", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(CategoryFromArgument(c.argument), c.category) << c.argument;
}

TEST(CliOptions, PagesIsAWholeNumberFromOneTo2147483647AndNothingElse) {
  const struct {
    const char* text;
    std::int64_t pages;
  } cases[] = {
      {"1", 1}, {"2147483647", 2147483647}, {"0010", 10},
      {"0", -1}, {"2147483648", -1}, {"99999999999999999999", -1}, {"-1", -1}, {"+1", -1}, {" 1", -1},
      {"1 ", -1}, {"1e3", -1}, {"0x10", -1}, {"", -1}, {"1.0", -1},
      {"\xA3\xB1", -1},  // a full-width 1, which the window's box would take
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WholeNumberIn(c.text, 1, 2147483647), c.pages) << c.text;
    const ParsedCommandLine parsed = Parse({"--pages", c.text});
    if (c.pages < 0) {
      EXPECT_NE(parsed.error.find("--pages"), std::string::npos) << c.text;
    } else {
      EXPECT_EQ(parsed.error, "") << c.text;
      EXPECT_EQ(parsed.options.pages, c.pages) << c.text;
    }
  }
}

TEST(CliOptions, UsageErrorsNameTheArgument) {
  const struct {
    std::vector<std::string> arguments;
    const char* named;
  } cases[] = {
      {{"--pages"}, "--pages needs a value"},
      {{"--site", "http://host/"}, "--site \"http://host/\""},
      {{"--site=ftp://host"}, "--site \"ftp://host\""},
      {{"--category", "9"}, "--category \"9\""},
      {{"--format", "csv"}, "--format \"csv\""},
      {{"--encoding", "UTF-8"}, "--encoding \"UTF-8\""},
      {{"--jobs", "0"}, "--jobs \"0\""},
      {{"--jobs", "17"}, "--jobs \"17\""},
      {{"--quiet=yes"}, "--quiet takes no value"},
      {{"--verbose"}, "unknown argument \"--verbose\""},
      {{"-p", "3"}, "unknown argument \"-p\""},
      {{"3"}, "unknown argument \"3\""},
      {{"--pages", "2", "--pages", "x"}, "--pages \"x\""},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = Parse(c.arguments);
    EXPECT_NE(parsed.error.find(c.named), std::string::npos) << c.named << " in: " << parsed.error;
  }
}

// The cases of site_cases.txt, which tests/release/site_check_test.py runs through the
// configure-time check: both must take and refuse the same sites.
TEST(SiteForm, AgreesWithTheConfigureCheck) {
  std::ifstream file(LISTING_SITE_CASES);
  ASSERT_TRUE(file) << LISTING_SITE_CASES;
  std::string line;
  int cases = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    ASSERT_NE(space, std::string::npos) << line;
    const std::string verdict = line.substr(0, space);
    const std::string site = line.substr(space + 1);
    ASSERT_TRUE(verdict == "accept" || verdict == "reject") << line;
    EXPECT_EQ(IsSiteBase(site), verdict == "accept") << site;
    const ParsedCommandLine parsed = Parse({"--site", site});
    EXPECT_EQ(parsed.error.empty(), verdict == "accept") << site;
    ++cases;
  }
  EXPECT_GT(cases, 0) << "no cases read";
}

}  // namespace
