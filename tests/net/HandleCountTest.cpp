// A few hundred failing and succeeding downloads leave the process holding
// no more kernel handles than before. WinINet's own handles are not kernel
// handles, but every connection it leaves open holds a socket, which is.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

// Windows counts a process's handles directly; Wine 8 answers 0. There the
// lowest free slot of the handle table stands in: wineserver always hands out
// the lowest free slot, so k handles left open move it up by at least k.
DWORD LowestFreeHandleSlot() {
  const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const auto slot = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(probe) / 4);
  CloseHandle(probe);
  return slot;
}

DWORD HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
  return LowestFreeHandleSlot();
}

TEST(Handles, DoNotGrowOverManyDownloads) {
  const Text nginx = NginxBase();
  const Text scripted = ScriptedBase();
  const Text refused = "http://127.0.0.1:" + std::to_string(RefusedPort()) + "/page.bin";
  const Text tls = "https://127.0.0.1:" + std::to_string(TlsPort()) + "/secret.html";
  auto oneOfEach = [&] {
    int fetched = 0;
    fetched += !DownloadPage(nginx + "/page.bin").empty();
    fetched += !DownloadPage(nginx + "/moved").empty();
    fetched += !DownloadPage(scripted + "/error404").empty();
    fetched += !DownloadPage(scripted + "/truncated").empty();
    fetched += !DownloadPage(scripted + "/empty").empty();
    fetched += !DownloadPage(refused).empty();
    fetched += !DownloadPage("ftp://127.0.0.1/x.html").empty();
    return fetched;
  };
  // Slower failures, a few times only: a TLS handshake the client rejects
  // and a name lookup that fails.
  auto slowFailures = [&] {
    int fetched = 0;
    fetched += !DownloadPage(tls).empty();
    fetched += !DownloadPage("http://no-such-host.invalid/x.html").empty();
    return fetched;
  };
  // The first rounds load what WinINet keeps for the whole process.
  oneOfEach();
  slowFailures();
  oneOfEach();
  const DWORD before = HandleCount();
  ASSERT_GT(before, 0u) << "the handle count must be readable for this test to mean anything";

  int calls = 0;
  for (int round = 0; round < 40; ++round) {
    EXPECT_EQ(oneOfEach(), 4);
    calls += 7;
    if (round % 10 == 0) {
      EXPECT_EQ(slowFailures(), 0);
      calls += 2;
    }
  }
  const DWORD after = HandleCount();
  // A small constant slack for handles Wine creates lazily (thread pool,
  // events of its resolver); a leak per call would be hundreds.
  EXPECT_LE(after, before + 8) << calls << " calls, " << before << " handles before, " << after << " after";
}

}  // namespace
