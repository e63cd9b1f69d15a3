// ParsePageCount against a model written from the rule: full-width forms of
// printable ASCII (0xA3 then 0xA1 to 0xFE) and the ideographic space (0xA1
// 0xA1) narrowed, every other double-byte character kept whole, then C's atoi
// over the narrowed text with its value wrapping in 32 bits, and at least 1.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SearchRun.h"

namespace {

std::string Narrowed(const std::string& text) {
  std::string narrow;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80 || i + 1 == text.size()) {
      narrow += text[i++];
      continue;
    }
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      narrow += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      narrow += ' ';
    } else {
      narrow += text.substr(i, 2);
    }
    i += 2;
  }
  return narrow;
}

// atoi as C describes it, over a NUL-terminated text, with the value kept
// modulo 2^32 instead of overflowing.
std::int32_t WrappingAtoi(const char* p) {
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  std::uint64_t value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) value = (value * 10 + static_cast<unsigned>(*p - '0')) % 4294967296u;
  if (negative) value = (4294967296u - value) % 4294967296u;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(value) - (value >= 2147483648u ? 4294967296 : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::int32_t read = WrappingAtoi(Narrowed(text).c_str());
  const std::int32_t expected = read > 0 ? read : 1;
  const std::int32_t actual = ParsePageCount(text);
  if (actual != expected) {
    std::fprintf(stderr, "page_count_fuzz: ParsePageCount gives %d, the model %d\n", actual, expected);
    std::abort();
  }
  return 0;
}
