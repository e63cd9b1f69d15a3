#include "Utf8Text.h"

#include <iconv.h>

#include <cerrno>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

bool IsLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// One conversion descriptor per thread, opened on first use: opening one costs
// far more than converting a title.
class Cp936Converter {
 public:
  Cp936Converter() : descriptor_(iconv_open("UTF-8", "CP936")) {}
  ~Cp936Converter() {
    if (Usable()) iconv_close(descriptor_);
  }
  Cp936Converter(const Cp936Converter&) = delete;
  Cp936Converter& operator=(const Cp936Converter&) = delete;

  bool Usable() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  std::string Convert(const Text& text) {
    std::string out;
    out.reserve(text.size() * 3 / 2 + 4);
    char buffer[1024];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
      char* outPos = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(descriptor_, &in, &inLeft, &outPos, &outLeft);
      const int error = errno;
      out.append(buffer, static_cast<std::size_t>(outPos - buffer));
      if (result != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      // Not a character here: replace it and go on after it.
      const auto lead = static_cast<unsigned char>(in[0]);
      const std::size_t width = (IsLead(lead) && inLeft > 1 && IsTrail(static_cast<unsigned char>(in[1]))) ? 2 : 1;
      out += kReplacement;
      in += width;
      inLeft -= width;
      iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t descriptor_;
};

Cp936Converter& ThreadConverter() {
  thread_local Cp936Converter converter;
  return converter;
}

}  // namespace

std::string Cp936ToUtf8(const Text& text) {
  Cp936Converter& converter = ThreadConverter();
  if (converter.Usable()) return converter.Convert(text);
  // Without the system's code page tables: ASCII stays, the rest is unknown.
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += text[i];
    } else {
      out += kReplacement;
      if (IsLead(byte) && i + 1 < text.size() && IsTrail(static_cast<unsigned char>(text[i + 1]))) ++i;
    }
  }
  return out;
}

bool CanConvertCp936() { return ThreadConverter().Usable(); }
