#pragma once
// Regular-expression traits for Boost.Regex over single bytes whose character
// classes and letter case are fixed tables, whatever locale the process runs
// under. Boost's stock traits ask the C runtime or the Windows user locale,
// which under a Chinese locale would make some GBK bytes count as letters or
// blanks; a page must be matched the same way on every machine.

#include <boost/regex.hpp>

#include <cstdint>
#include <locale>
#include <string>

class ByteClassTraits {
 public:
  using char_type = char;
  using size_type = std::size_t;
  using string_type = std::string;
  using locale_type = std::locale;
  using char_class_type = std::uint32_t;
  // Tells Boost that the extension members below are ours, so it does not
  // wrap this class with its own (locale-dependent) case mapping.
  using boost_extensions_tag = void;

  static constexpr char_class_type kSpace = 1u << 0;
  static constexpr char_class_type kDigit = 1u << 1;
  static constexpr char_class_type kUpper = 1u << 2;
  static constexpr char_class_type kLower = 1u << 3;
  static constexpr char_class_type kUnderscore = 1u << 4;
  static constexpr char_class_type kPunct = 1u << 5;
  static constexpr char_class_type kCntrl = 1u << 6;
  static constexpr char_class_type kXdigit = 1u << 7;
  static constexpr char_class_type kBlank = 1u << 8;
  static constexpr char_class_type kVertical = 1u << 9;
  static constexpr char_class_type kHorizontal = 1u << 10;
  static constexpr char_class_type kPrintOnly = 1u << 11;  // the ASCII blank

  static constexpr char_class_type kAlpha = kUpper | kLower;
  static constexpr char_class_type kAlnum = kAlpha | kDigit;
  static constexpr char_class_type kWord = kAlnum | kUnderscore;
  static constexpr char_class_type kGraph = kAlnum | kPunct;
  static constexpr char_class_type kPrint = kGraph | kPrintOnly;

  // The classes of one byte; bytes 0x80 to 0xFF belong to none.
  static char_class_type ClassesOf(char c);

  static std::size_t length(const char_type* p) { return std::char_traits<char>::length(p); }
  static char translate(char c) { return c; }
  static char translate_nocase(char c) { return tolower(c); }
  static char translate(char c, bool icase) { return icase ? tolower(c) : c; }
  static char tolower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
  static char toupper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

  // No collation: byte order is the order.
  static string_type transform(const char* p1, const char* p2) { return string_type(p1, p2); }
  static string_type transform_primary(const char* p1, const char* p2);
  static string_type lookup_collatename(const char* p1, const char* p2);
  static char_class_type lookup_classname(const char* p1, const char* p2);
  static bool isctype(char c, char_class_type mask) { return (ClassesOf(c) & mask) != 0; }
  static int value(char c, int radix);
  static std::intmax_t toi(const char*& p1, const char* p2, int radix);

  static boost::regex_constants::syntax_type syntax_type(char c);
  static boost::regex_constants::escape_syntax_type escape_syntax_type(char c);
  static std::string error_string(boost::regex_constants::error_type e);

  locale_type imbue(locale_type l) {
    locale_type previous = locale_;
    locale_ = l;
    return previous;
  }
  locale_type getloc() const { return locale_; }

 private:
  locale_type locale_ = std::locale::classic();
};
