#pragma once
// Reading the result list the way the link opener needs it.

#include <windows.h>

#include <cstdint>

#include "Text.h"

// Index of the selected row counted from 0; -1 when no row is selected.
std::int32_t SelectedRow(HWND list);

// The whole text of one cell, however long; the empty text for an empty cell.
Text CellText(HWND list, std::int32_t row, std::int32_t column);
