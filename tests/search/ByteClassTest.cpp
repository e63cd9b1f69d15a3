// The byte classes of the extractor are fixed tables, the same under any
// locale: checked for every byte through the extractor itself, once under the
// locale the process starts with and once under a Chinese one.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>
#include <string>

#include "ListingExtractor.h"

namespace {

bool Matches(ListingExtractor& extractor, unsigned char byte) {
  return !extractor.FindAll(Text(1, static_cast<char>(byte))).empty();
}

bool IsBlankByte(int b) { return b == 0x09 || b == 0x0A || b == 0x0B || b == 0x0C || b == 0x0D || b == 0x20; }
bool IsDigitByte(int b) { return b >= 0x30 && b <= 0x39; }
bool IsWordByte(int b) {
  return IsDigitByte(b) || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_';
}

void ExpectFixedClasses() {
  const struct {
    const char* pattern;
    bool (*member)(int);
  } classes[] = {
      {"\\s", IsBlankByte},
      {"\\S", [](int b) { return !IsBlankByte(b); }},
      {"\\d", IsDigitByte},
      {"\\w", IsWordByte},
  };
  for (const auto& c : classes) {
    ListingExtractor extractor;
    ASSERT_TRUE(extractor.Compile(c.pattern));
    // Byte 0 ends a page text, so it is never searched.
    for (int b = 1; b <= 0xFF; ++b) {
      EXPECT_EQ(Matches(extractor, static_cast<unsigned char>(b)), c.member(b))
          << c.pattern << " byte 0x" << std::hex << b;
    }
  }

  // Letter case: A-Z equal a-z, every other byte only itself.
  Text allBytes;
  for (int b = 1; b <= 0xFF; ++b) allBytes += static_cast<char>(b);
  for (int b = 1; b <= 0xFF; ++b) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
    ListingExtractor extractor;
    ASSERT_TRUE(extractor.Compile(escaped));
    const MatchList matches = extractor.FindAll(allBytes);
    const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    ASSERT_EQ(matches.size(), letter ? 2u : 1u) << "byte 0x" << std::hex << b;
    for (const ListingMatch& m : matches) {
      const int other = static_cast<unsigned char>(allBytes[static_cast<std::size_t>(m.spans[0].offset)]);
      EXPECT_TRUE(other == b || (letter && (other ^ 0x20) == b)) << std::hex << b << " matched " << other;
    }
  }
}

TEST(ByteClasses, StartupLocale) { ExpectFixedClasses(); }

TEST(ByteClasses, ChineseLocale) {
#ifdef _WIN32
  const char* names[] = {"Chinese_China.936", ".936"};
#else
  const char* names[] = {"zh_CN.GBK", "zh_CN.gbk", "zh_CN.GB18030", "zh_CN.UTF-8"};
#endif
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name)) {
      chosen = name;
      break;
    }
  }
  if (!chosen) GTEST_SKIP() << "no Chinese locale on this machine";
  try {
    std::locale::global(std::locale(chosen));
  } catch (...) {
    // The C runtime switched; the C++ global locale stays classic.
  }
  ExpectFixedClasses();
  std::locale::global(std::locale::classic());
  std::setlocale(LC_ALL, "C");
}

}  // namespace
