#include "ResultRows.h"

#include <commctrl.h>

#include <string>

#include "WideText.h"

namespace {
// Room for the first read of a cell: 512 bytes.
constexpr std::size_t kFirstCellRoom = 512 / sizeof(wchar_t);
}

std::int32_t SelectedRow(HWND list) {
  return static_cast<std::int32_t>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

Text CellText(HWND list, std::int32_t row, std::int32_t column) {
  std::wstring room(kFirstCellRoom, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = room.data();
    item.cchTextMax = static_cast<int>(room.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    // A read that filled every place but the terminator may have been cut.
    if (length + 1 < room.size()) {
      room.resize(length);
      return TextFromWide(room);
    }
    room.assign(room.size() * 2, L'\0');
  }
}
