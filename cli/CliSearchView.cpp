#include "CliSearchView.h"

#include <cerrno>
#include <cstring>

#include "Platform.h"
#include "RowWriter.h"

CliSearchView::CliSearchView(const CliOptions& options, std::FILE* out) : options_(options), out_(out) {}

std::int32_t CliSearchView::ReadCategoryIndex() { return options_.category; }

// The run reads the count as the window reads its box; --pages was checked
// strictly before, so this text reads back as exactly that number.
Text CliSearchView::ReadPageCountText() { return DecimalText(options_.pages); }

void CliSearchView::AppendRow(const Text& title, const Text& link) {
  AppendRowLine(pending_, options_.format, options_.encoding, page_, title, link);
  ++rows_;
}

void CliSearchView::FlushRows() {
  errno = 0;
  const bool written = std::fwrite(pending_.data(), 1, pending_.size(), out_) == pending_.size() &&
                       std::fflush(out_) == 0;
  pending_.clear();
  if (written) return;
  const int error = errno;
  if (IsBrokenPipe(error)) throw OutputClosed{};
  throw OutputFailed(std::string("cannot write the rows: ") + (error != 0 ? std::strerror(error) : "write failed"));
}
