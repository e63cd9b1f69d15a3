#pragma once
// How much one read of a page asks for, decided by the Content-Length header.
// Pure logic, so the rule can be checked without a server.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// WinINet hands the header's text over in a buffer of this many bytes, its
// terminating NUL included; a longer value counts as no header at all.
inline constexpr std::size_t kContentLengthBufferSize = 32;

// A read when the length is unknown, and the largest read ever asked for.
inline constexpr std::size_t kDefaultChunkSize = 10240;
inline constexpr std::size_t kLargestChunkSize = 102400;

// The declared body length: the header's text read like C's atoi (leading
// white space, one sign, digits up to the first non-digit). 0 when the header
// is missing, does not fit the buffer, or is not positive. A value too large
// for 64 bits stays at the largest one instead of wrapping.
std::uint64_t DeclaredBodyLength(std::optional<std::string_view> contentLength);

// The declared length plus one, at most kLargestChunkSize; kDefaultChunkSize
// when nothing usable is declared.
std::size_t ChunkSizeFor(std::optional<std::string_view> contentLength);
