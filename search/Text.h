#pragma once
// Texts and byte buffers as the whole program handles them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A text is code page 936 (GBK) bytes. Lengths and offsets count bytes.
using Text = std::string;

// Raw bytes as they came off the wire; may hold zero bytes, has no terminator.
using ByteBuffer = std::vector<char>;

// Base-10 digits, a leading "-" when negative, no leading zeros or separators.
Text DecimalText(std::int32_t value);

// The parts copied one after another into a new text.
Text JoinTexts(std::initializer_list<std::string_view> parts);

// The bytes of a download up to, not including, the first zero byte.
Text PageTextFrom(const ByteBuffer& bytes);

// The text a C string would see: everything before the first zero byte.
std::string_view UpToFirstNul(const Text& text);

// The six bytes C counts as white space: tab, line feed, vertical tab, form
// feed, carriage return and blank, whatever the locale.
constexpr bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// True when the byte starts a double-byte character of code page 936.
constexpr bool IsLeadByte(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80;
}
