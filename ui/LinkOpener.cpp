#include "LinkOpener.h"

#include <shellapi.h>

#include <utility>

#include "ResultRows.h"

namespace {
constexpr std::int32_t kLinkColumn = 1;
}

void ShellExecuteOpen(HWND owner, const Text& link) {
  ShellExecuteA(owner, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LinkOpener::LinkOpener(ShellOpen shellOpen) : shellOpen_(std::move(shellOpen)) {}

void LinkOpener::OpenSelectedLink(HWND list) const {
  const std::int32_t row = SelectedRow(list);
  if (row < 0) return;
  const Text link = CellText(list, row, kLinkColumn);
  // A browser window of that title, if one is open, owns the request.
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  shellOpen_(owner, link);
}
