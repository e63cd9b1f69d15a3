#pragma once
// The five listing categories and the addresses of their list pages.

#include <array>
#include <cstdint>

#include "Text.h"

// Scheme and host of the listing site, no trailing slash. Built in at
// configure time (LISTING_SITE_BASE).
extern const char SiteBase[];

struct Category {
  const char* displayName;  // as the category list shows it
  const char* path;         // after SiteBase, holding the page placeholder once
};

// In the order the user sees them; the index is the category index.
extern const std::array<Category, 5> CategoryCatalogue;

// SiteBase and the category's path; the empty text outside 0 to 4.
Text TemplateFor(std::int32_t categoryIndex);

// The template, up to its first NUL, with every page placeholder replaced by
// the page's decimal text; the empty text for the empty template.
Text ListPageAddress(const Text& listPageTemplate, std::int32_t pageNumber);
