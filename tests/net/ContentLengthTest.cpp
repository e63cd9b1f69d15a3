#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ContentLength.h"

namespace {

struct ChunkCase {
  const char* what;
  std::optional<std::string> header;
  std::size_t chunkSize;
};

TEST(ContentLength, ChunkSizeFollowsTheDeclaredLength) {
  const ChunkCase cases[] = {
      {"header missing", std::nullopt, 10240},
      {"empty value", std::string(), 10240},
      {"31 characters fit the buffer", std::string(30, ' ') + "7", 8},
      {"32 characters do not", std::string(31, ' ') + "7", 10240},
      {"zero", std::string("0"), 10240},
      {"negative", std::string("-5"), 10240},
      {"negative zero", std::string("-0"), 10240},
      {"one", std::string("1"), 2},
      {"5000", std::string("5000"), 5001},
      {"one below the largest read", std::string("102399"), 102400},
      {"the largest read", std::string("102400"), 102400},
      {"above it", std::string("5242880"), 102400},
      {"past 32 bits", std::string("4294967297"), 102400},
      {"past 64 bits saturates, never wraps", std::string("99999999999999999999999999"), 102400},
      {"2^64 + 1 would wrap to 1", std::string("18446744073709551617"), 102400},
      {"leading blanks", std::string(" \t\r\n\v\f12"), 13},
      {"one plus sign", std::string("+12"), 13},
      {"two signs stop the number", std::string("+-12"), 10240},
      {"blank after the sign stops it", std::string("+ 12"), 10240},
      {"stops at the first non-digit", std::string("12abc"), 13},
      {"stops at a decimal point", std::string("99.9"), 100},
      {"letters only", std::string("abc"), 10240},
      {"leading zeros", std::string("0007"), 8},
  };
  for (const ChunkCase& c : cases) {
    const std::optional<std::string_view> header =
        c.header ? std::optional<std::string_view>(*c.header) : std::nullopt;
    EXPECT_EQ(ChunkSizeFor(header), c.chunkSize) << c.what;
  }
}

TEST(ContentLength, DeclaredLengthIsThePositiveValueOrZero) {
  EXPECT_EQ(DeclaredBodyLength(std::nullopt), 0u);
  EXPECT_EQ(DeclaredBodyLength(std::string_view("-7")), 0u);
  EXPECT_EQ(DeclaredBodyLength(std::string_view("52428800")), 52428800u);
  EXPECT_EQ(DeclaredBodyLength(std::string_view("18446744073709551615")), 18446744073709551615u);
  EXPECT_EQ(DeclaredBodyLength(std::string_view("18446744073709551616")), 18446744073709551615u);
}

}  // namespace
