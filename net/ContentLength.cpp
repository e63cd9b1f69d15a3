#include "ContentLength.h"

#include <limits>

#include "Text.h"

std::uint64_t DeclaredBodyLength(std::optional<std::string_view> contentLength) {
  if (!contentLength || contentLength->size() >= kContentLengthBufferSize) return 0;
  const std::string_view text = *contentLength;

  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
    ++i;
  }
  return negative ? 0 : value;
}

std::size_t ChunkSizeFor(std::optional<std::string_view> contentLength) {
  const std::uint64_t declared = DeclaredBodyLength(contentLength);
  if (declared == 0) return kDefaultChunkSize;
  // Compared before adding one, so the largest length cannot wrap to 0.
  if (declared >= kLargestChunkSize) return kLargestChunkSize;
  return static_cast<std::size_t>(declared) + 1;
}
