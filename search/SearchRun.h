#pragma once
// One search over the listing site, from the button's click to its last row.

#include <cstdint>
#include <functional>

#include "SearchView.h"
#include "Text.h"

// Fetches one address; the empty buffer when nothing could be fetched.
using PageSource = std::function<ByteBuffer(const Text& address)>;

// Reads the category and page count through the view, then fetches, searches
// and lists every page in turn. Every address and every row's link begins
// with siteBase. Nothing ends it early; the closing status text is always
// written and the button enabled again.
void SearchRun(SearchView& view, const PageSource& pageSource, const Text& siteBase);

// The number of pages a page-count text asks for: at least 1. Reads like C's
// atoi over the text with full-width ASCII forms taken as their ASCII
// characters, wrapping around on overflow.
std::int32_t ParsePageCount(const Text& text);

// "...当前第<page>页，第<match>条" shown before each row.
Text ProgressText(std::int32_t pageNumber, std::int32_t matchNumber);
// "数据检索完成，共计<total>条信息" shown when the run is over.
Text ClosingText(std::int32_t total);
