#pragma once
// The five listing categories and the addresses of their list pages.

#include <array>
#include <cstdint>

#include "Text.h"

struct Category {
  const char* displayName;  // as the category list shows it
  const char* path;         // after the site base, holding the page placeholder once
};

// In the order the user sees them; the index is the category index.
extern const std::array<Category, 5> CategoryCatalogue;

// The site base (scheme and host of the listing site, no trailing slash) and
// the category's path; the empty text outside 0 to 4. Each program is built
// for one site and passes it in, so the core serves any site.
Text TemplateFor(const Text& siteBase, std::int32_t categoryIndex);

// The template, up to its first NUL, with every page placeholder replaced by
// the page's decimal text; the empty text for the empty template.
Text ListPageAddress(const Text& listPageTemplate, std::int32_t pageNumber);
