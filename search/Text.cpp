#include "Text.h"

#include <algorithm>

Text DecimalText(std::int32_t value) {
  // std::to_string is locale-independent and already has this exact form.
  return std::to_string(value);
}

Text JoinTexts(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  Text joined;
  joined.reserve(size);
  for (std::string_view part : parts) joined.append(part);
  return joined;
}

std::string_view UpToFirstNul(const Text& text) {
  return std::string_view(text.data(), std::min(text.find('\0'), text.size()));
}

Text PageTextFrom(const ByteBuffer& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), '\0');
  return Text(bytes.begin(), end);
}
