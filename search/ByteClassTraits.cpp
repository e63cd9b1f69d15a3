#include "ByteClassTraits.h"

#include <array>

#include "Text.h"

namespace {

constexpr std::array<ByteClassTraits::char_class_type, 256> MakeClassTable() {
  using T = ByteClassTraits;
  std::array<T::char_class_type, 256> table{};
  for (int b = 0; b < 0x80; ++b) {
    T::char_class_type m = 0;
    if (IsCSpace(static_cast<char>(b))) m |= T::kSpace;
    if (b == '\t' || b == ' ') m |= T::kBlank | T::kHorizontal;
    if (b == '\n' || b == '\v' || b == '\f' || b == '\r') m |= T::kVertical;
    if (b >= '0' && b <= '9') m |= T::kDigit | T::kXdigit;
    if ((b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F')) m |= T::kXdigit;
    if (b >= 'A' && b <= 'Z') m |= T::kUpper;
    if (b >= 'a' && b <= 'z') m |= T::kLower;
    if (b == '_') m |= T::kUnderscore;
    if (b < 0x20 || b == 0x7F) m |= T::kCntrl;
    if (b == ' ') m |= T::kPrintOnly;
    const bool graphic = b > 0x20 && b < 0x7F;
    const bool alnum = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    if (graphic && !alnum) m |= T::kPunct;
    table[static_cast<std::size_t>(b)] = m;
  }
  return table;
}

constexpr auto kClassTable = MakeClassTable();

char AsciiLower(char c) { return ByteClassTraits::tolower(c); }

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace

ByteClassTraits::char_class_type ByteClassTraits::ClassesOf(char c) {
  return kClassTable[static_cast<unsigned char>(c)];
}

ByteClassTraits::string_type ByteClassTraits::transform_primary(const char* p1, const char* p2) {
  string_type key(p1, p2);
  for (char& c : key) c = AsciiLower(c);
  return key;
}

ByteClassTraits::string_type ByteClassTraits::lookup_collatename(const char* p1, const char* p2) {
  string_type name(p1, p2);
  string_type found = boost::BOOST_REGEX_DETAIL_NS::lookup_default_collate_name(name);
  if (found.empty() && name.size() == 1) found = name;
  return found;
}

ByteClassTraits::char_class_type ByteClassTraits::lookup_classname(const char* p1, const char* p2) {
  // Same order as Boost's default class names; "\S" arrives as "S".
  static constexpr char_class_type kMasks[] = {
      0,       kAlnum,  kAlpha,      kBlank,  kCntrl, kDigit,  kDigit,     kGraph,
      kHorizontal, kLower, kLower,   kPrint,  kPunct, kSpace,  kSpace,     kUpper,
      0 /* unicode: no byte is */,   kUpper,  kVertical, kWord, kWord,     kXdigit,
  };
  std::string name(p1, p2);
  for (char& c : name) c = AsciiLower(c);
  const int id = boost::BOOST_REGEX_DETAIL_NS::get_default_class_id(name.data(), name.data() + name.size());
  if (id < 0 || static_cast<std::size_t>(id) + 1 >= std::size(kMasks)) return 0;
  return kMasks[id + 1];
}

int ByteClassTraits::value(char c, int radix) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  else if (c >= 'a' && c <= 'z') digit = c - 'a' + 10;
  else if (c >= 'A' && c <= 'Z') digit = c - 'A' + 10;
  return (digit >= 0 && digit < radix) ? digit : -1;
}

std::intmax_t ByteClassTraits::toi(const char*& p1, const char* p2, int radix) {
  ByteClassTraits traits;
  return boost::BOOST_REGEX_DETAIL_NS::global_toi(p1, p2, radix, traits);
}

boost::regex_constants::syntax_type ByteClassTraits::syntax_type(char c) {
  return IsAscii(c) ? boost::BOOST_REGEX_DETAIL_NS::get_default_syntax_type(c)
                    : boost::regex_constants::syntax_char;
}

boost::regex_constants::escape_syntax_type ByteClassTraits::escape_syntax_type(char c) {
  return IsAscii(c) ? boost::BOOST_REGEX_DETAIL_NS::get_default_escape_syntax_type(c)
                    : boost::regex_constants::escape_type_identity;
}

std::string ByteClassTraits::error_string(boost::regex_constants::error_type e) {
  return boost::BOOST_REGEX_DETAIL_NS::get_default_error_string(e);
}
