#pragma once
// The search run's view on the command line: rows become lines on stdout,
// written a page at a time; the window's other controls have no counterpart.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "CliOptions.h"
#include "SearchView.h"

// Whoever reads stdout has gone (`| head`): the run ends quietly.
struct OutputClosed {};

// stdout failed otherwise (a full disk, say).
struct OutputFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class CliSearchView : public SearchView {
 public:
  CliSearchView(const CliOptions& options, std::FILE* out);

  // The page whose rows come next (for jsonl's "page").
  void SetPage(std::int32_t page) { page_ = page; }
  std::int64_t Rows() const { return rows_; }
  // Writes the rows so far; throws OutputClosed or OutputFailed.
  void FlushRows();

  std::int32_t ReadCategoryIndex() override;
  Text ReadPageCountText() override;
  void SetSearchEnabled(bool) override {}
  void ClearRows() override {}
  void AppendRow(const Text& title, const Text& link) override;
  void RepaintRows() override {}
  void SetStatusText(const Text&) override {}

 private:
  const CliOptions& options_;
  std::FILE* out_;
  std::string pending_;
  std::int32_t page_ = 0;
  std::int64_t rows_ = 0;
};
