// Running out of memory part-way through a body keeps what was stored. The
// shortage is real: this program replaces the global operator new with one
// that refuses blocks above a limit while a test has set one. WinINet's own
// memory does not come from operator new and is not affected.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

std::atomic<std::size_t> largestBlock{std::numeric_limits<std::size_t>::max()};

// Refuses blocks above the limit for as long as it lives.
class MemoryLimit {
 public:
  explicit MemoryLimit(std::size_t bytes) { largestBlock = bytes; }
  ~MemoryLimit() { largestBlock = std::numeric_limits<std::size_t>::max(); }
  MemoryLimit(const MemoryLimit&) = delete;
  MemoryLimit& operator=(const MemoryLimit&) = delete;
};

}  // namespace

void* operator new(std::size_t size) {
  if (size > largestBlock) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

constexpr std::size_t kBigBody = 5 * 1024 * 1024;

TEST(MemoryExhaustion, GrowingBodyKeepsTheBytesStored) {
  const ByteBuffer expected = Pattern(kBigBody);
  ByteBuffer body;
  {
    // The declared 5 MB cannot be reserved, and growth fails past 1 MB.
    const MemoryLimit limit(1024 * 1024);
    body = DownloadPage(NginxBase() + "/big.bin");
  }
  ASSERT_FALSE(body.empty());
  EXPECT_LE(body.size(), 1024u * 1024u);
  EXPECT_TRUE(std::equal(body.begin(), body.end(), expected.begin())) << "a prefix of the body";
  // Without a limit the same page comes whole again.
  EXPECT_EQ(DownloadPage(NginxBase() + "/big.bin").size(), kBigBody);
}

TEST(MemoryExhaustion, NoUnsizedBodyLeftBehindEither) {
  ByteBuffer body;
  {
    const MemoryLimit limit(256 * 1024);
    body = DownloadPage(ScriptedBase() + "/nolength?size=1000000");
  }
  ASSERT_FALSE(body.empty());
  EXPECT_LE(body.size(), 256u * 1024u);
  const ByteBuffer expected = Pattern(body.size());
  EXPECT_TRUE(body == expected);
}

TEST(MemoryExhaustion, NoReadBufferMeansAnEmptyResult) {
  ByteBuffer body = Bytes("not yet");
  {
    // Below the 102400-byte read a big declared length asks for.
    const MemoryLimit limit(50000);
    body = DownloadPage(NginxBase() + "/big.bin");
  }
  EXPECT_TRUE(body.empty());
  EXPECT_EQ(DownloadPage(NginxBase() + "/page.bin"), Pattern(20000));
}

}  // namespace
