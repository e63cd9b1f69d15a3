#include "CliOptions.h"

#include <array>

#include "CategoryCatalogue.h"
#include "SiteForm.h"
#include "Utf8Text.h"

namespace {

// In the catalogue's order: the alias of category i is kAliases[i].
constexpr std::array<const char*, 5> kAliases = {"latest", "china", "general", "western", "japan-korea"};

constexpr std::int64_t kMaxPages = 2147483647;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::int64_t WholeNumberIn(const std::string& text, std::int64_t low, std::int64_t high) {
  if (text.empty() || text.size() > 18) return -1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value >= low && value <= high ? value : -1;
}

std::int32_t CategoryFromArgument(const std::string& argument) {
  const std::int64_t index = WholeNumberIn(argument, 0, 4);
  if (index >= 0 && argument.size() == 1) return static_cast<std::int32_t>(index);
  for (std::size_t i = 0; i < CategoryCatalogue.size(); ++i) {
    const Text name = CategoryCatalogue[i].displayName;
    if (argument == kAliases[i] || argument == Cp936ToUtf8(name) || argument == name) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

std::string UsageLines() {
  return "usage: film-listings-cli [--site URL] [--category C] [--pages N] [--format tsv|jsonl]\n"
         "                         [--encoding utf-8|gbk] [--jobs N] [--quiet] [--help] [--version]\n";
}

std::string UsageText() {
  return UsageLines() + "\n"
         "Searches list pages 1 to N of one category of the listing site and writes one\n"
         "line per film on stdout: title<TAB>link, or with --format jsonl\n"
         "{\"page\":P,\"title\":\"...\",\"link\":\"...\"}.\n"
         "\n"
         "  --site URL        http:// or https://, a host, optionally :port (default the build's site)\n"
         "  --category C      0-4, latest, china, general, western, japan-korea or the category's\n"
         "                    Chinese name (default 0)\n"
         "  --pages N         1 to 2147483647 (default 1)\n"
         "  --format F        tsv (default) or jsonl\n"
         "  --encoding E      utf-8 (default) or gbk, the bytes as the site wrote them\n"
         "  --jobs N          1 to 16 pages fetched at once (default 1); output is the same\n"
         "  --quiet           no progress and no summary on stderr, only failures\n"
         "\n"
         "Exit status: 0 every page fetched, 3 some page failed (refused, dropped, timed out,\n"
         "TLS rejected, status 400 or more), 2 usage error, 1 any other error.\n";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const Text& siteBase) {
  ParsedCommandLine parsed;
  CliOptions& options = parsed.options;
  options.site = siteBase;

  for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
    std::string name = arguments[i];
    std::string value;
    bool hasValue = false;
    if (name.rfind("--", 0) == 0) {
      const std::size_t equals = name.find('=');
      if (equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
        hasValue = true;
      }
    }

    const bool takesValue = name == "--site" || name == "--category" || name == "--pages" ||
                            name == "--format" || name == "--encoding" || name == "--jobs";
    if (!takesValue) {
      if (hasValue) {
        parsed.error = name + " takes no value";
      } else if (name == "--quiet") {
        options.quiet = true;
      } else if (name == "--help") {
        options.help = true;
      } else if (name == "--version") {
        options.version = true;
      } else {
        parsed.error = "unknown argument " + Quoted(name);
      }
      continue;
    }
    if (!hasValue) {
      if (i + 1 == arguments.size()) {
        parsed.error = name + " needs a value";
        continue;
      }
      value = arguments[++i];
    }

    if (name == "--site") {
      if (IsSiteBase(value)) {
        options.site = value;
      } else {
        parsed.error = "--site " + Quoted(value) +
                       ": expected http:// or https://, a host, optionally :port (1-65535), "
                       "and nothing after it";
      }
    } else if (name == "--category") {
      options.category = CategoryFromArgument(value);
      if (options.category < 0) {
        parsed.error = "--category " + Quoted(value) +
                       ": expected 0-4, latest, china, general, western, japan-korea or a category name";
      }
    } else if (name == "--pages") {
      const std::int64_t pages = WholeNumberIn(value, 1, kMaxPages);
      if (pages < 0) {
        parsed.error = "--pages " + Quoted(value) + ": expected a whole number from 1 to 2147483647";
      } else {
        options.pages = static_cast<std::int32_t>(pages);
      }
    } else if (name == "--format") {
      if (value == "tsv") {
        options.format = RowFormat::Tsv;
      } else if (value == "jsonl") {
        options.format = RowFormat::Jsonl;
      } else {
        parsed.error = "--format " + Quoted(value) + ": expected tsv or jsonl";
      }
    } else if (name == "--encoding") {
      if (value == "utf-8") {
        options.encoding = RowEncoding::Utf8;
      } else if (value == "gbk") {
        options.encoding = RowEncoding::Gbk;
      } else {
        parsed.error = "--encoding " + Quoted(value) + ": expected utf-8 or gbk";
      }
    } else {
      const std::int64_t jobs = WholeNumberIn(value, 1, kMaxJobs);
      if (jobs < 0) {
        parsed.error = "--jobs " + Quoted(value) + ": expected a whole number from 1 to 16";
      } else {
        options.jobs = static_cast<int>(jobs);
      }
    }
  }
  return parsed;
}
