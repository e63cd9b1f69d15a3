#pragma once
// What a search run needs of the window. The window implements it on its
// controls; tests implement it with a recorder.

#include <cstdint>

#include "Text.h"

class SearchView {
 public:
  virtual ~SearchView() = default;

  // Selected category, 0 to 4; -1 when nothing is selected.
  virtual std::int32_t ReadCategoryIndex() = 0;
  // The page-count box's text exactly as typed.
  virtual Text ReadPageCountText() = 0;
  virtual void SetSearchEnabled(bool enabled) = 0;
  virtual void ClearRows() = 0;
  // A new last row: column 0 the title, column 1 the link.
  virtual void AppendRow(const Text& title, const Text& link) = 0;
  // Paints whatever part of the rows is waiting, before returning.
  virtual void RepaintRows() = 0;
  // The second part of the status bar.
  virtual void SetStatusText(const Text& text) = 0;
};
