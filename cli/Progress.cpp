#include "Progress.h"

#include <algorithm>

#include "Platform.h"

namespace {

std::string Clock(double seconds) {
  const auto whole = static_cast<long long>(seconds < 0 ? 0 : seconds);
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  }
  return text;
}

// A terminal is redrawn at most this often; the last page always draws.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(Mode mode, std::int32_t pages, std::FILE* err)
    : mode_(mode), pages_(pages), err_(err), start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

std::string Progress::BarLine(std::int64_t done, std::int64_t pages, std::int64_t rows, double elapsedSeconds,
                              int columns) {
  std::string text = " " + std::to_string(done) + "/" + std::to_string(pages) + " pages, " +
                     std::to_string(rows) + " rows, " + Clock(elapsedSeconds);
  if (done > 0 && done < pages) {
    // A rough guess from the pages so far.
    text += ", ~" + Clock(elapsedSeconds / static_cast<double>(done) * static_cast<double>(pages - done)) + " left";
  }
  // The bar takes what the text leaves, one column spare so that the cursor
  // never wraps the line.
  const int barWidth = std::min(40, columns - static_cast<int>(text.size()) - 3);
  if (barWidth < 5) return text.substr(0, static_cast<std::size_t>(std::max(columns - 1, 0)));
  const auto filled = static_cast<int>(pages > 0 ? done * barWidth / pages : 0);
  return "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(barWidth - filled), '.') + "]" + text;
}

void Progress::PageDone(std::int64_t rows, bool failed) {
  ++done_;
  rows_ = rows;
  if (failed) ++failed_;
  Draw(done_ == pages_);
}

void Progress::Say(const std::string& line) {
  Clear();
  std::fputs(line.c_str(), err_);
  std::fputc('\n', err_);
  std::fflush(err_);
  Draw(true);
}

void Progress::Draw(bool force) {
  if (mode_ != Mode::Bar) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && shown_ && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  const std::string line = BarLine(done_, pages_, rows_, elapsed, StderrColumns());
  std::fprintf(err_, "\r%s\033[K", line.c_str());
  std::fflush(err_);
  shown_ = true;
  SetProgressLineShown(true);
}

void Progress::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", err_);
  std::fflush(err_);
  shown_ = false;
  SetProgressLineShown(false);
}

void Progress::Finish() {
  Clear();
  if (mode_ == Mode::Summary) {
    std::fprintf(err_, "%lld rows from %lld pages, %lld failed\n", static_cast<long long>(rows_),
                 static_cast<long long>(done_), static_cast<long long>(failed_));
    std::fflush(err_);
  }
}

void Progress::Abandon() { Clear(); }
