#include "SiteForm.h"

namespace {

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A name between dots: letters, digits and "-", neither first nor last a "-".
bool IsHostLabel(std::string_view label) {
  if (label.empty() || !IsAsciiAlnum(label.front()) || !IsAsciiAlnum(label.back())) return false;
  for (char c : label) {
    if (!IsAsciiAlnum(c) && c != '-') return false;
  }
  return true;
}

bool IsHost(std::string_view host) {
  for (;;) {
    const std::size_t dot = host.find('.');
    if (!IsHostLabel(host.substr(0, dot))) return false;
    if (dot == std::string_view::npos) return true;
    host.remove_prefix(dot + 1);
  }
}

bool IsPort(std::string_view port) {
  if (port.empty() || port.size() > 5 || port.front() == '0') return false;
  long value = 0;
  for (char c : port) {
    if (!IsAsciiDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return value <= 65535;
}

}  // namespace

bool IsSiteBase(std::string_view site) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (site.substr(0, scheme.size()) != scheme) continue;
    std::string_view rest = site.substr(scheme.size());
    const std::size_t colon = rest.find(':');
    if (colon != std::string_view::npos && !IsPort(rest.substr(colon + 1))) return false;
    return IsHost(rest.substr(0, colon));
  }
  return false;
}
