// Saved list pages of the listing site (GBK, with near-miss anchors) and the
// rows they must give, title and path, one per line beside each page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "ListingExtractor.h"

namespace {

Text ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class GoldenPage : public testing::TestWithParam<const char*> {};

TEST_P(GoldenPage, GivesTheSavedRows) {
  const std::string base = std::string(LISTING_FIXTURE_DIR) + "/" + GetParam();
  const Text page = ReadFile(base + ".html");
  const Text expected = ReadFile(base + ".rows");
  ASSERT_FALSE(page.empty());
  ASSERT_FALSE(expected.empty());

  ListingExtractor extractor;
  ASSERT_TRUE(extractor.Compile(ListingPattern));
  Text rows;
  for (const ListingMatch& m : extractor.FindAll(page)) {
    rows += ListingExtractor::GroupText(m, page, 2) + "\t" + ListingExtractor::GroupText(m, page, 1) + "\n";
  }
  EXPECT_EQ(rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, GoldenPage, testing::Values("latest-page-1", "western-page-7"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           for (char& c : name) if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
