// Rows as lines: code page 936 to UTF-8 with U+FFFD for what is no character,
// JSON escaping that leaves double-byte characters whole, and the progress
// bar's line within the terminal's width.
#include <gtest/gtest.h>

#include <string>

#include "Progress.h"
#include "RowWriter.h"
#include "Utf8Text.h"

namespace {

constexpr char kFffd[] = "\xEF\xBF\xBD";

TEST(Cp936ToUtf8, CharactersAndWhatIsNoCharacter) {
  ASSERT_TRUE(CanConvertCp936());
  const struct {
    const char* what;
    std::string gbk;
    std::string utf8;
  } cases[] = {
      {"ASCII", "abc<a href=\"/x\">", "abc<a href=\"/x\">"},
      {"page character", "\xD2\xB3", "\xE9\xA1\xB5"},
      {"category name", "\xD7\xEE\xD0\xC2\xB5\xE7\xD3\xB0", "\xE6\x9C\x80\xE6\x96\xB0\xE7\x94\xB5\xE5\xBD\xB1"},
      {"ideographic space", "a\xA1\xA1" "b", "a\xE3\x80\x80" "b"},
      {"code page 936's euro sign", "\x80", "\xE2\x82\xAC"},
      {"lead byte at the end", "ab\xD2", std::string("ab") + kFffd},
      {"lead byte before ASCII", "\xD2" "0x", std::string(kFffd) + "0x"},
      {"unassigned pair, one replacement", "\xAA\xA1" "z", std::string(kFffd) + "z"},
      {"0xFF alone", "\xFF\xD2\xB3", std::string(kFffd) + "\xE9\xA1\xB5"},
      {"control byte kept", "a\x01" "b", "a\x01" "b"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp936ToUtf8(c.gbk), c.utf8) << c.what;
}

TEST(Cp936ToUtf8, LongTextCrossesTheConverterBuffer) {
  std::string gbk;
  std::string utf8;
  for (int i = 0; i < 3000; ++i) {
    gbk += "\xD2\xB3";
    utf8 += "\xE9\xA1\xB5";
    if (i % 700 == 0) {
      gbk += "\xFF";
      utf8 += kFffd;
    }
  }
  EXPECT_EQ(Cp936ToUtf8(gbk), utf8);
}

TEST(RowLine, TsvInBothEncodings) {
  std::string out;
  AppendRowLine(out, RowFormat::Tsv, RowEncoding::Utf8, 1, "\xD2\xB3", "http://s/a.html");
  AppendRowLine(out, RowFormat::Tsv, RowEncoding::Gbk, 1, "\xD2\xB3", "http://s/a.html");
  EXPECT_EQ(out, "\xE9\xA1\xB5\thttp://s/a.html\n\xD2\xB3\thttp://s/a.html\n");
}

TEST(RowLine, JsonlEscapesPerRfc8259) {
  std::string out;
  AppendRowLine(out, RowFormat::Jsonl, RowEncoding::Utf8, 12, "a\"b\\c\x01\x1F/\x7F", "http://s/\xD2\xB3");
  EXPECT_EQ(out, "{\"page\":12,\"title\":\"a\\\"b\\\\c\\u0001\\u001f/\x7F\",\"link\":\"http://s/\xE9\xA1\xB5\"}\n");
  EXPECT_EQ(JsonStringContent("\b\f\n\r\t", RowEncoding::Utf8), "\\b\\f\\n\\r\\t");
}

TEST(RowLine, GbkJsonLeavesATrailByteThatLooksLikeABackslash) {
  // 0x5C is "\" alone but the trail byte of several characters (here 0x815C).
  EXPECT_EQ(JsonStringContent("\x81\x5C" "\\", RowEncoding::Gbk), "\x81\x5C" "\\\\");
  // In UTF-8 output no such byte survives conversion, so every "\" is one.
  EXPECT_EQ(JsonStringContent("\\", RowEncoding::Utf8), "\\\\");
  // A lead byte that ends the text is a byte by itself.
  EXPECT_EQ(JsonStringContent("a\x81", RowEncoding::Gbk), "a\x81");
}

TEST(ProgressBar, FitsTheTerminalAndSaysWhereTheRunIs) {
  for (int columns : {20, 40, 80, 200}) {
    const std::string line = Progress::BarLine(12, 100, 300, 5.0, columns);
    EXPECT_LT(line.size(), static_cast<std::size_t>(columns)) << columns << ": " << line;
    if (columns >= 80) {
      EXPECT_NE(line.find("12/100 pages, 300 rows, 0:05, ~0:36 left"), std::string::npos) << line;
      EXPECT_EQ(line.front(), '[') << line;
    }
  }
  EXPECT_EQ(Progress::BarLine(100, 100, 2500, 3725.0, 80).find("~"), std::string::npos) << "nothing left at the end";
  EXPECT_NE(Progress::BarLine(100, 100, 2500, 3725.0, 80).find("1:02:05"), std::string::npos);
}

}  // namespace
