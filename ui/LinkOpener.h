#pragma once
// A right click on the result list opens the selected row's link through the
// shell, so the film's page shows in the user's browser.

#include <windows.h>

#include <functional>

#include "ResultList.h"
#include "Text.h"

// Asks the shell to open a link on behalf of an owner window (or none).
using ShellOpen = std::function<void(HWND owner, const Text& link)>;

// ShellExecuteA with the verb "open"; the result is not looked at.
void ShellExecuteOpen(HWND owner, const Text& link);

class LinkOpener {
 public:
  explicit LinkOpener(ShellOpen shellOpen = ShellExecuteOpen);

  // Hands the selected row's link to the shell; nothing without a selection.
  void OpenSelectedLink(const ResultList& list) const;

 private:
  ShellOpen shellOpen_;
};
