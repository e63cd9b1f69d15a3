#include <gtest/gtest.h>

#include "CategoryCatalogue.h"
#include "SearchTexts.h"

namespace {

// Any site will do: the core takes it from its caller.
const Text kSite = "http://listings.test:8080";
Text Site(const char* path) { return kSite + path; }

TEST(CategoryCatalogue, FirstPageOfEveryCategory) {
  const char* expected[] = {
      "/html/gndy/dyzz/list_23_1.html",  "/html/gndy/china/list_4_1.html", "/html/gndy/jddy/list_63_1.html",
      "/html/gndy/oumei/list_7_1.html", "/html/gndy/rihan/list_6_1.html",
  };
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ListPageAddress(TemplateFor(kSite, i), 1), Site(expected[i])) << i;
}

TEST(CategoryCatalogue, DisplayNamesInComboOrder) {
  const char* names[] = {kCategoryLatest, kCategoryDomestic, kCategoryGeneral, kCategoryWestern, kCategoryJapanKorea};
  for (int i = 0; i < 5; ++i) EXPECT_STREQ(CategoryCatalogue[static_cast<std::size_t>(i)].displayName, names[i]);
}

TEST(CategoryCatalogue, TemplateHoldsPlaceholderOnce) {
  EXPECT_EQ(TemplateFor(kSite, 0), Site("/html/gndy/dyzz/list_23_\xD2\xB3.html"));
}

TEST(CategoryCatalogue, IndicesOutsideTheTableGiveTheEmptyTemplate) {
  for (std::int32_t index : {-1, 5, 6, -2147483647 - 1, 2147483647}) EXPECT_EQ(TemplateFor(kSite, index), "") << index;
  for (std::int32_t page : {1, 2, 100}) EXPECT_EQ(ListPageAddress("", page), "") << page;
}

TEST(ListPageAddress, PageNumbersOfSeveralDigitsReplaceThePlaceholderWhole) {
  EXPECT_EQ(ListPageAddress(TemplateFor(kSite, 2), 100), Site("/html/gndy/jddy/list_63_100.html"));
  EXPECT_EQ(ListPageAddress(TemplateFor(kSite, 4), 12), Site("/html/gndy/rihan/list_6_12.html"));
  EXPECT_EQ(ListPageAddress(TemplateFor(kSite, 0), 2147483647), Site("/html/gndy/dyzz/list_23_2147483647.html"));
}

TEST(ListPageAddress, ScansDoubleByteCharacters) {
  const struct {
    const char* name;
    Text listPageTemplate;
    Text address;
  } cases[] = {
      {"every occurrence", "a\xD2\xB3-\xD2\xB3", "a7-7"},
      // "页" bytes straddling two characters are not the placeholder.
      {"straddling", "\xB0\xD2\xB3x", "\xB0\xD2\xB3x"},
      {"after a whole character", "\xB0\xA1\xD2\xB3", "\xB0\xA1" "7"},
      // A lead byte at the very end stands alone; nothing past it is read.
      {"lone lead byte at the end", "ab\xD2", "ab\xD2"},
      {"lone lead byte only", "\xB0", "\xB0"},
      {"template unchanged otherwise", "http://h/x.html", "http://h/x.html"},
      // The template ends at its first NUL, as every other text does; a lead
      // byte before it stands alone rather than pairing with the NUL.
      {"NUL ends the template", Text("a\xD2\xB3\0\xD2\xB3" "b", 7), "a7"},
      {"NUL first", Text("\0\xD2\xB3", 3), ""},
      {"lead byte before NUL", Text("x\xD2\0\xB3", 4), "x\xD2"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListPageAddress(c.listPageTemplate, 7), c.address) << c.name;
}

}  // namespace
