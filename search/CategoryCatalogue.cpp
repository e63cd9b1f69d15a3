#include "CategoryCatalogue.h"

#include <string_view>

#include "SearchTexts.h"

const std::array<Category, 5> CategoryCatalogue = {{
    {kCategoryLatest, "/html/gndy/dyzz/list_23_" LISTING_PAGE_PLACEHOLDER ".html"},
    {kCategoryDomestic, "/html/gndy/china/list_4_" LISTING_PAGE_PLACEHOLDER ".html"},
    {kCategoryGeneral, "/html/gndy/jddy/list_63_" LISTING_PAGE_PLACEHOLDER ".html"},
    {kCategoryWestern, "/html/gndy/oumei/list_7_" LISTING_PAGE_PLACEHOLDER ".html"},
    {kCategoryJapanKorea, "/html/gndy/rihan/list_6_" LISTING_PAGE_PLACEHOLDER ".html"},
}};

Text TemplateFor(const Text& siteBase, std::int32_t categoryIndex) {
  if (categoryIndex < 0 || categoryIndex >= static_cast<std::int32_t>(CategoryCatalogue.size())) {
    return Text();
  }
  return JoinTexts({siteBase, CategoryCatalogue[static_cast<std::size_t>(categoryIndex)].path});
}

Text ListPageAddress(const Text& listPageTemplate, std::int32_t pageNumber) {
  const Text page = DecimalText(pageNumber);
  const std::string_view placeholder = kPagePlaceholder;
  Text address;

  // Like every other text of the program, the template ends at its first NUL.
  const std::string_view text = UpToFirstNul(listPageTemplate);
  address.reserve(text.size() + page.size());

  // Walk character by character so that a placeholder's bytes inside another
  // double-byte character are never taken for it. A lead byte that is the
  // last byte of the template stands alone.
  std::size_t i = 0;
  const std::size_t size = text.size();
  while (i < size) {
    if (text.substr(i, placeholder.size()) == placeholder) {
      address += page;
      i += placeholder.size();
      continue;
    }
    const std::size_t width = (IsLeadByte(text[i]) && i + 1 < size) ? 2 : 1;
    address.append(text, i, width);
    i += width;
  }
  return address;
}
