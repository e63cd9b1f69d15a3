#pragma once
// The bytes every match of a pattern must begin with, read from the pattern's
// source, so that a page can be scanned for them before the regular-expression
// engine is asked to try.

#include <string_view>

#include "Text.h"

// The literal run at the start of a Perl-syntax pattern that every match of it
// begins with, read on into plain and non-capturing groups that must match
// once (letter case as written; the caller decides whether case counts).
// Empty when there is none or the pattern is written in a way this reading
// does not follow (top-level alternation, a leading escape, class or
// look-around, unbalanced brackets, verbs such as (*COMMIT), \Q): an empty
// result only means "search plainly".
Text LeadingLiteral(std::string_view pattern);

// Finds a literal in a text with ASCII letter case ignored (the extractor's
// byte-class rules: bytes above 0x7F compare as they are), sixteen places at a
// time where the processor allows.
class LiteralScanner {
 public:
  explicit LiteralScanner(std::string_view literal);

  // The first place in [from, end) where the whole literal starts, or nullptr.
  const char* Find(const char* from, const char* end) const;

  bool empty() const { return folded_.empty(); }

 private:
  bool StartsAt(const char* at) const;

  Text folded_;  // the literal in lower case
};
