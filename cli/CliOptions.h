#pragma once
// The command line of film-listings-cli, read strictly: this is a program for
// scripts, so anything it cannot use exactly is a usage error.

#include <cstdint>
#include <string>
#include <vector>

#include "Text.h"

enum class RowFormat { Tsv, Jsonl };
enum class RowEncoding { Utf8, Gbk };

struct CliOptions {
  Text site;
  std::int32_t category = 0;
  std::int32_t pages = 1;
  RowFormat format = RowFormat::Tsv;
  RowEncoding encoding = RowEncoding::Utf8;
  int jobs = 1;
  bool quiet = false;
  bool help = false;
  bool version = false;
};

inline constexpr int kMaxJobs = 16;

struct ParsedCommandLine {
  CliOptions options;
  // Empty when the command line is usable; otherwise names the argument.
  std::string error;
};

// The arguments after the program's name. siteBase is the default of --site.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const Text& siteBase);

// What --help prints.
std::string UsageText();
// Its first lines, the synopsis: the tail of every usage error.
std::string UsageLines();

// 0 to 4 from a category's index, alias (latest, china, general, western,
// japan-korea) or display name in UTF-8 or code page 936; -1 for anything else.
std::int32_t CategoryFromArgument(const std::string& argument);

// A whole number from low to high written in decimal digits only; -1 otherwise.
std::int64_t WholeNumberIn(const std::string& text, std::int64_t low, std::int64_t high);
