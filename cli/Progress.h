#pragma once
// What stderr shows of a run besides its failures: on a terminal a one-line
// progress bar, cleared at the end; elsewhere one summary line at the end.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

class Progress {
 public:
  enum class Mode { Bar, Summary, Silent };

  Progress(Mode mode, std::int32_t pages, std::FILE* err);

  // One more page is through the search; rows is the run's total so far.
  void PageDone(std::int64_t rows, bool failed);
  // A line for the user (a failure), written clear of the bar.
  void Say(const std::string& line);
  // Clears the bar, or writes "R rows from P pages, F failed".
  void Finish();
  // Clears the bar and says nothing: the run was cut short on purpose.
  void Abandon();

  // The bar's line for a terminal of the given width, without "\r".
  static std::string BarLine(std::int64_t done, std::int64_t pages, std::int64_t rows, double elapsedSeconds,
                             int columns);

 private:
  void Draw(bool force);
  void Clear();

  Mode mode_;
  std::int64_t pages_;
  std::FILE* err_;
  std::int64_t done_ = 0;
  std::int64_t rows_ = 0;
  std::int64_t failed_ = 0;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
};
