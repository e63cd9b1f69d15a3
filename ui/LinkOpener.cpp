#include "LinkOpener.h"

#include <shellapi.h>

#include <utility>

void ShellExecuteOpen(HWND owner, const Text& link) {
  ShellExecuteA(owner, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LinkOpener::LinkOpener(ShellOpen shellOpen) : shellOpen_(std::move(shellOpen)) {}

void LinkOpener::OpenSelectedLink(const ResultList& list) const {
  const std::int32_t row = list.SelectedRow();
  if (row < 0) return;
  const Text link = list.CellText(row, ResultList::kLinkColumn);
  // A browser window of that title, if one is open, owns the request.
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  shellOpen_(owner, link);
}
