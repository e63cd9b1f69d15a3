// ListPageAddress over any template and any page number against the rule:
// the template up to its first NUL, scanned one character at a time (a byte
// of 0x80 or more and the byte after it are one character), each 页 (0xD2
// 0xB3) at a character boundary replaced by the page's decimal text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CategoryCatalogue.h"

namespace {

std::string ExpectedAddress(const std::string& listPageTemplate, std::int32_t page) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", static_cast<int>(page));
  const char* t = listPageTemplate.c_str();
  const std::size_t n = std::strlen(t);
  std::string address;
  std::size_t i = 0;
  while (i < n) {
    const auto byte = static_cast<unsigned char>(t[i]);
    if (byte == 0xD2 && i + 1 < n && static_cast<unsigned char>(t[i + 1]) == 0xB3) {
      address += digits;
      i += 2;
    } else if (byte >= 0x80 && i + 1 < n) {
      address.append(t + i, 2);
      i += 2;
    } else {
      address += t[i++];
    }
  }
  return address;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto page = in.ConsumeIntegral<std::int32_t>();
  const std::string listPageTemplate = in.ConsumeRemainingBytesAsString();
  const std::string expected = ExpectedAddress(listPageTemplate, page);
  const Text actual = ListPageAddress(listPageTemplate, page);
  if (actual != expected) {
    std::fprintf(stderr, "list_page_address_fuzz: page %d of a %zu-byte template: %zu bytes, the rule gives %zu\n",
                 static_cast<int>(page), listPageTemplate.size(), actual.size(), expected.size());
    std::abort();
  }
  return 0;
}
