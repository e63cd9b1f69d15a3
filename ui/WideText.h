#pragma once
// The only two conversions between the program's texts (code page 936) and the
// UTF-16 of the wide Win32 functions. Code page 936 is named explicitly, so the
// window shows the same texts whatever the system's ANSI code page is.

#include <string>
#include <string_view>

#include "Text.h"

std::wstring WideFromText(std::string_view text);
Text TextFromWide(std::wstring_view wide);
