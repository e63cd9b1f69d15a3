#pragma once
// Code page 936 texts as UTF-8 for the terminal and for scripts.

#include <string>

#include "Text.h"

// The text in UTF-8. A byte or pair that is no code page 936 character (a lead
// byte without a trail byte, an unassigned pair) becomes one U+FFFD: a pair of
// lead and trail byte shapes is replaced as one, a lone byte by itself.
std::string Cp936ToUtf8(const Text& text);

// False when the system's converter lacks code page 936 (then every
// non-ASCII character would come out as U+FFFD).
bool CanConvertCp936();
