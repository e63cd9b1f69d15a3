#pragma once
// A listing site as every program of this project takes it: "http://" or
// "https://", a host, optionally ":port" (1 to 65535, no leading zero), and
// nothing after it. The same form cmake/ListingSite.cmake checks at configure.

#include <string_view>

bool IsSiteBase(std::string_view site);
