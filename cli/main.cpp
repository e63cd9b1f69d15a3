// film-listings-cli: the window program's search on the command line.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "CliRun.h"
#include "Platform.h"
#include "Utf8Text.h"

int main(int argc, char** argv) {
  IgnoreBrokenPipe();
  EndAtOnceOnInterrupt();
  try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments, LISTING_SITE_BASE);
    if (!parsed.error.empty()) {
      std::fprintf(stderr, "film-listings-cli: %s\n%s", parsed.error.c_str(), UsageLines().c_str());
      return kExitUsage;
    }
    const CliOptions& options = parsed.options;
    if (options.help || options.version) {
      const std::string text =
          options.help ? UsageText() : std::string("film-listings-cli ") + LISTING_CLI_VERSION + "\n";
      std::fputs(text.c_str(), stdout);
      return std::fflush(stdout) == 0 ? kExitFetched : kExitOtherError;
    }
    if (options.encoding == RowEncoding::Utf8 && !CanConvertCp936()) {
      std::fprintf(stderr, "film-listings-cli: this system cannot convert code page 936; try --encoding gbk\n");
      return kExitOtherError;
    }
    const Progress::Mode mode = options.quiet          ? Progress::Mode::Silent
                                : StderrIsTerminal()   ? Progress::Mode::Bar
                                                       : Progress::Mode::Summary;
    return RunCliSearch(options, stdout, stderr, mode);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "film-listings-cli: %s\n", error.what());
    return kExitOtherError;
  }
}
