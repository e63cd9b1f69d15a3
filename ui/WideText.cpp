#include "WideText.h"

#include <windows.h>

namespace {
constexpr UINT kTextCodePage = 936;
}

std::wstring WideFromText(std::string_view text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kTextCodePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kTextCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

Text TextFromWide(std::wstring_view wide) {
  if (wide.empty()) return Text();
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(kTextCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  Text text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kTextCodePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}
