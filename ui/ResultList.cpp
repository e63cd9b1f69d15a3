#include "ResultList.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "MainWindowLayout.h"
#include "WideText.h"

namespace {
// Room for the first read of a cell: 512 bytes.
constexpr std::size_t kFirstCellRoom = 512 / sizeof(wchar_t);
}  // namespace

void ResultList::SetUpColumns() {
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const struct {
    const char* heading;
    int width;
  } columns[] = {{kTitleColumnHeading, kTitleColumnWidth}, {kLinkColumnHeading, kLinkColumnWidth}};
  int index = 0;
  for (const auto& column : columns) {
    std::wstring heading = WideFromText(column.heading);
    LVCOLUMNW lvColumn{};
    lvColumn.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    lvColumn.fmt = LVCFMT_LEFT;
    lvColumn.cx = column.width;
    lvColumn.pszText = heading.data();
    SendMessageW(list_, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvColumn));
  }
}

void ResultList::Append(const Text& title, const Text& link) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<wchar_t*>(L"");
  const auto row = static_cast<WPARAM>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));

  const std::pair<int, const Text*> cells[] = {{kTitleColumn, &title}, {kLinkColumn, &link}};
  for (const auto& [column, text] : cells) {
    std::wstring wide = WideFromText(*text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
  }
}

void ResultList::Clear() { SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0); }

void ResultList::Repaint() { UpdateWindow(list_); }

std::int32_t ResultList::SelectedRow() const {
  return static_cast<std::int32_t>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

Text ResultList::CellText(std::int32_t row, std::int32_t column) const {
  std::wstring room(kFirstCellRoom, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = room.data();
    item.cchTextMax = static_cast<int>(room.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    // A read that filled every place but the terminator may have been cut.
    if (length + 1 < room.size()) {
      room.resize(length);
      return TextFromWide(room);
    }
    room.assign(room.size() * 2, L'\0');
  }
}
