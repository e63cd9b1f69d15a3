#include "SearchRun.h"

#include "CategoryCatalogue.h"
#include "ListingExtractor.h"
#include "SearchTexts.h"

namespace {

// Code page 936 full-width forms of printable ASCII are 0xA3 followed by the
// ASCII code plus 0x80; the ideographic space is 0xA1 0xA1.
Text NarrowFullWidthForms(const Text& text) {
  Text narrow;
  narrow.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(text[i]) || i + 1 == text.size()) {
      // ASCII, or a lead byte ending the text: a character by itself.
      narrow += text[i];
      ++i;
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      narrow += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      narrow += ' ';
    } else {
      narrow.append(text, i, 2);
    }
    i += 2;
  }
  return narrow;
}

}  // namespace

std::int32_t ParsePageCount(const Text& text) {
  const Text narrow = NarrowFullWidthForms(text);
  std::size_t i = 0;
  while (i < narrow.size() && IsCSpace(narrow[i])) ++i;
  bool negative = false;
  if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) {
    negative = narrow[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps by definition; the two's-complement reading is
  // taken once at the end.
  std::uint32_t value = 0;
  while (i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(narrow[i] - '0');
    ++i;
  }
  if (negative) value = 0u - value;
  const auto count = static_cast<std::int32_t>(value);
  return count > 0 ? count : 1;
}

Text ProgressText(std::int32_t pageNumber, std::int32_t matchNumber) {
  return JoinTexts({kProgressLead, DecimalText(pageNumber), kProgressMiddle, DecimalText(matchNumber), kProgressTail});
}

Text ClosingText(std::int32_t total) {
  return JoinTexts({kClosingLead, DecimalText(total), kClosingTail});
}

void SearchRun(SearchView& view, const PageSource& pageSource, const Text& siteBase) {
  ListingExtractor extractor;
  std::int32_t total = 0;

  view.SetSearchEnabled(false);
  view.ClearRows();
  view.SetStatusText(Text());

  const std::int32_t pageCount = ParsePageCount(view.ReadPageCountText());
  const Text listPageTemplate = TemplateFor(siteBase, view.ReadCategoryIndex());

  for (std::int32_t pageNumber = 1; pageNumber <= pageCount; ++pageNumber) {
    const Text address = ListPageAddress(listPageTemplate, pageNumber);
    const Text pageText = PageTextFrom(pageSource(address));

    extractor.Compile(ListingPattern);
    const MatchList matches = extractor.FindAll(pageText);

    std::int32_t matchNumber = 0;
    for (const ListingMatch& match : matches) {
      ++matchNumber;
      view.SetStatusText(ProgressText(pageNumber, matchNumber));
      const Text title = ListingExtractor::GroupText(match, pageText, 2);
      const Text path = ListingExtractor::GroupText(match, pageText, 1);
      view.AppendRow(title, JoinTexts({siteBase, path}));
      ++total;
      view.RepaintRows();
    }
    // A page count near 2^31 must not step past the largest page number.
    if (pageNumber == pageCount) break;
  }

  view.SetStatusText(ClosingText(total));
  view.SetSearchEnabled(true);
}
