#include <gtest/gtest.h>

#include "SearchTexts.h"
#include "Text.h"

namespace {

TEST(Text, LiteralsAreCodePage936Bytes) {
  // Fails loudly when the build lost -fexec-charset=CP936.
  EXPECT_EQ(Text(kPagePlaceholder), "\xD2\xB3");
  EXPECT_EQ(Text(kCategoryLatest), "\xD7\xEE\xD0\xC2\xB5\xE7\xD3\xB0");
  EXPECT_EQ(Text(kProgressMiddle), "\xD2\xB3\xA3\xAC\xB5\xDA");
}

TEST(Text, DecimalText) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {{0, "0"}, {7, "7"}, {100, "100"}, {-2, "-2"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& c : cases) EXPECT_EQ(DecimalText(c.value), c.text) << c.value;
}

TEST(Text, JoinTextsSkipsNothingAndAddsNothing) {
  EXPECT_EQ(JoinTexts({"a", "", "bc", ""}), "abc");
  EXPECT_EQ(JoinTexts({}), "");
}

TEST(Text, PageTextStopsAtFirstZeroByte) {
  EXPECT_EQ(PageTextFrom(ByteBuffer{}), "");
  EXPECT_EQ(PageTextFrom(ByteBuffer{'a', 'b'}), "ab");
  EXPECT_EQ(PageTextFrom(ByteBuffer{'a', '\0', 'b'}), "a");
  EXPECT_EQ(PageTextFrom(ByteBuffer{'\0', 'b'}), "");
}

}  // namespace
