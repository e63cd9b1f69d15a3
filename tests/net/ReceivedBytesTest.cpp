// A body gathered in blocks comes out as the exact bytes, in order, whatever
// the sizes of the reads and wherever they cross a block's edge.
#include <gtest/gtest.h>

#include "ReceivedBytes.h"

namespace {

ByteBuffer Numbered(std::size_t size) {
  ByteBuffer bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

TEST(ReceivedBytes, GivesBackEveryByteInOrder) {
  for (std::size_t total : {std::size_t{0}, std::size_t{1}, std::size_t{131072}, std::size_t{3 * 1024 * 1024 + 17}}) {
    const ByteBuffer expected = Numbered(total);
    ReceivedBytes received;
    std::size_t at = 0;
    // Read sizes as WinINet gives them: uneven, small and large.
    for (std::size_t step = 1; at < total; step = step * 3 % 102401 + 1) {
      const std::size_t size = std::min(step, total - at);
      ASSERT_TRUE(received.Append(expected.data() + at, size));
      at += size;
    }
    EXPECT_EQ(received.size(), total);
    const ByteBuffer body = received.TakeBody();
    EXPECT_TRUE(body == expected) << total;
    EXPECT_EQ(body.capacity(), body.size()) << "no reservation left behind";
    EXPECT_EQ(received.size(), 0u);
    EXPECT_TRUE(received.TakeBody().empty());
  }
}

}  // namespace
