#include "CliRun.h"

#include <stdexcept>
#include <string>

#include "CategoryCatalogue.h"
#include "CliSearchView.h"
#include "PageFetcher.h"
#include "SearchRun.h"

namespace {

constexpr char kProgram[] = "film-listings-cli: ";

}  // namespace

int RunCliSearch(const CliOptions& options, std::FILE* out, std::FILE* err, Progress::Mode mode) {
  // The addresses the run will ask for, known ahead so that pages can be in
  // flight before the run reaches them.
  const Text listPageTemplate = TemplateFor(options.site, options.category);
  PageFetcher fetcher(options.jobs, options.pages,
                      [&](std::int32_t page) { return ListPageAddress(listPageTemplate, page); });
  if (!fetcher.Usable()) {
    std::fprintf(err, "%slibcurl could not be set up\n", kProgram);
    return kExitOtherError;
  }

  CliSearchView view(options, out);
  Progress progress(mode, options.pages, err);
  std::int32_t page = 0;
  bool pageFailed = false;
  std::int64_t failedPages = 0;

  const PageSource source = [&](const Text& address) -> ByteBuffer {
    // The rows of the page before are complete: out they go before the wait.
    if (page > 0) {
      view.FlushRows();
      progress.PageDone(view.Rows(), pageFailed);
    }
    ++page;
    if (address != ListPageAddress(listPageTemplate, page)) {
      throw std::logic_error("the search asked for " + address + " as page " + std::to_string(page));
    }
    FetchedPage fetched = fetcher.Take(page);
    pageFailed = !fetched.failure.empty();
    if (pageFailed) {
      ++failedPages;
      progress.Say(kProgram + std::string("page ") + std::to_string(page) + " (" + address + "): " + fetched.failure);
    }
    view.SetPage(page);
    return std::move(fetched.body);
  };

  try {
    SearchRun(view, source, options.site);
    view.FlushRows();
    progress.PageDone(view.Rows(), pageFailed);
  } catch (const OutputClosed&) {
    progress.Abandon();
    return kExitFetched;
  } catch (const OutputFailed& failure) {
    progress.Abandon();
    std::fprintf(err, "%s%s\n", kProgram, failure.what());
    return kExitOtherError;
  } catch (...) {
    // Whatever else ends the run is reported by the caller, on a clean line.
    progress.Abandon();
    throw;
  }
  progress.Finish();
  return failedPages > 0 ? kExitPageFailed : kExitFetched;
}
