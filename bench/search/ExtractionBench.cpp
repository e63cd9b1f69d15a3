// FindAll + GroupText over a realistic 60 KB GBK list page, beside bare
// boost::regex_search loops over the same bytes: one with the extractor's own
// byte-class traits (the wrapper's overhead alone) and one with Boost's stock
// traits (what a plain boost::regex would cost).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "ByteClassTraits.h"
#include "ListingExtractor.h"

namespace {

const Text& Page() {
  static const Text page = [] {
    std::ifstream in(LISTING_FIXTURE_DIR "/western-page-7.html", std::ios::binary);
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
BENCHMARK(FindAllAndGroupText)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
