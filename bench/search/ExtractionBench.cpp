// FindAll + GroupText over a realistic 60 KB GBK list page, beside bare
// loops over the same bytes: boost::regex_search with the extractor's own
// byte-class traits and with Boost's stock traits (the plain search), and the
// extractor's own path bare (scan for the leading literal, anchored tries), so
// that the wrapper's overhead shows alone. Then Perl's and Python's loops over
// the same page, run here as subprocesses, and the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ByteClassTraits.h"
#include "LeadingLiteral.h"
#include "ListingExtractor.h"

namespace {

constexpr char kPagePath[] = LISTING_FIXTURE_DIR "/western-page-7.html";

const Text& Page() {
  static const Text page = [] {
    std::ifstream in(kPagePath, std::ios::binary);
    return Text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  return page;
}

constexpr auto kFlags = boost::regex_constants::perl | boost::regex_constants::icase;

template <class Regex>
void BareLoop(benchmark::State& state) {
  const Text& page = Page();
  const Regex expression(ListingPattern, kFlags);
  std::size_t found = 0;
  for (auto _ : state) {
    const char* from = page.data();
    const char* const end = page.data() + page.size();
    boost::match_results<const char*> m;
    while (from < end && boost::regex_search(from, end, m, expression)) {
      benchmark::DoNotOptimize(m[1].first);
      benchmark::DoNotOptimize(m[2].second);
      ++found;
      from = m[0].second;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["matches/page"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BareLoopByteClassTraits(benchmark::State& state) {
  BareLoop<boost::basic_regex<char, ByteClassTraits>>(state);
}

void BareLoopStockTraits(benchmark::State& state) { BareLoop<boost::regex>(state); }

// The extractor's path without the extractor: literal scan, anchored tries,
// groups read in place.
void BareLoopLeadingLiteral(benchmark::State& state) {
  const Text& page = Page();
  const boost::basic_regex<char, ByteClassTraits> expression(ListingPattern, kFlags);
  const LiteralScanner literal(LeadingLiteral(ListingPattern));
  std::size_t found = 0;
  for (auto _ : state) {
    const char* from = page.data();
    const char* const end = page.data() + page.size();
    boost::match_results<const char*> m;
    const char* at = literal.Find(from, end);
    while (at) {
      if (boost::regex_search(at, end, m, expression, boost::regex_constants::match_continuous, from)) {
        benchmark::DoNotOptimize(m[1].first);
        benchmark::DoNotOptimize(m[2].second);
        ++found;
        from = m[0].second;
        at = literal.Find(from, end);
      } else {
        at = literal.Find(at + 1, end);
      }
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["matches/page"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void FindAllAndGroupText(benchmark::State& state) {
  const Text& page = Page();
  ListingExtractor extractor;
  extractor.Compile(ListingPattern);
  std::size_t found = 0;
  for (auto _ : state) {
    for (const ListingMatch& m : extractor.FindAll(page)) {
      Text title = ListingExtractor::GroupText(m, page, 2);
      Text path = ListingExtractor::GroupText(m, page, 1);
      benchmark::DoNotOptimize(title.data());
      benchmark::DoNotOptimize(path.data());
      ++found;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.counters["matches/page"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

BENCHMARK(BareLoopStockTraits)->MinTime(2.0);
BENCHMARK(BareLoopByteClassTraits)->MinTime(2.0);
BENCHMARK(BareLoopLeadingLiteral)->MinTime(2.0);
BENCHMARK(FindAllAndGroupText)->MinTime(2.0);

// Prints as usual and keeps each benchmark's bytes per second.
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end()) {
        const std::string name = run.benchmark_name();
        megabytesPerSecond[name.substr(0, name.find('/'))] = it->second.value / 1e6;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> megabytesPerSecond;
};

// Runs one peer loop: "<MB/s> <matches per page>" on its output.
bool RunPeer(const char* command, const char* script, double& megabytesPerSecond, int& matches) {
  const std::string line = std::string(command) + " '" + LISTING_BENCH_DIR + "/" + script + "' '" + kPagePath +
                           "' '" + ListingPattern + "' 2";
  FILE* pipe = popen(line.c_str(), "r");
  if (!pipe) return false;
  const bool read = std::fscanf(pipe, "%lf %d", &megabytesPerSecond, &matches) == 2;
  return pclose(pipe) == 0 && read;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double ours = reporter.megabytesPerSecond["FindAllAndGroupText"];
  const double bare = reporter.megabytesPerSecond["BareLoopLeadingLiteral"];
  std::printf("\nFindAll + GroupText: %.0f MB/s; bare loop of the same path %.0f MB/s: %.2f of it (target >= 0.90)\n",
              ours, bare, ours / bare);
  for (const auto& [name, command, script, target] :
       {std::tuple{"Perl", "perl", "perl_loop.pl", 1.5}, std::tuple{"Python re", "python3", "python_re_loop.py", 2.0}}) {
    double peer = 0;
    int matches = 0;
    if (!RunPeer(command, script, peer, matches)) {
      std::printf("%s: could not run %s\n", name, script);
      continue;
    }
    std::printf("%s: %.0f MB/s, %d matches a page; FindAll + GroupText %.2f times as fast (target >= %.1f)\n", name,
                peer, matches, ours / peer, target);
  }
  return 0;
}
