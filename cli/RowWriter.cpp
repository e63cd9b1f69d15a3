#include "RowWriter.h"

#include "Utf8Text.h"

std::string JsonStringContent(const std::string& text, RowEncoding encoding) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (encoding == RowEncoding::Gbk && IsLeadByte(c) && i + 1 < text.size()) {
      out.append(text, i, 2);
      ++i;
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}

void AppendRowLine(std::string& out, RowFormat format, RowEncoding encoding, std::int32_t page,
                   const Text& title, const Text& link) {
  const bool utf8 = encoding == RowEncoding::Utf8;
  const std::string titleOut = utf8 ? Cp936ToUtf8(title) : title;
  const std::string linkOut = utf8 ? Cp936ToUtf8(link) : link;
  if (format == RowFormat::Tsv) {
    out += titleOut;
    out += '\t';
    out += linkOut;
  } else {
    out += "{\"page\":";
    out += DecimalText(page);
    out += ",\"title\":\"";
    out += JsonStringContent(titleOut, encoding);
    out += "\",\"link\":\"";
    out += JsonStringContent(linkOut, encoding);
    out += "\"}";
  }
  out += '\n';
}
