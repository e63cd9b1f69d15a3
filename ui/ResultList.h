#pragma once
// The result list: a report-view list of two columns, a film's title and its
// link, one row per film found. Every message to the list view goes through
// here, for the search run's writes and the link opener's reads alike.

#include <windows.h>

#include <cstdint>

#include "Text.h"

class ResultList {
 public:
  static constexpr std::int32_t kTitleColumn = 0;
  static constexpr std::int32_t kLinkColumn = 1;

  ResultList() = default;
  // The list view made from the control table.
  explicit ResultList(HWND list) : list_(list) {}
  HWND Handle() const { return list_; }

  // Full-row selection, grid lines and the two headed columns.
  void SetUpColumns();

  // A new last row.
  void Append(const Text& title, const Text& link);
  void Clear();
  // Paints whatever part of the list waits to be painted, before returning:
  // during a search the window takes no messages that would do it.
  void Repaint();

  // Index of the selected row counted from 0; -1 when no row is selected.
  std::int32_t SelectedRow() const;
  // The whole text of one cell, however long; the empty text for an empty cell.
  Text CellText(std::int32_t row, std::int32_t column) const;

 private:
  HWND list_ = nullptr;
};
