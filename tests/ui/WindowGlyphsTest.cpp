// The window's Chinese texts must draw as glyphs, not as the font's box for a
// missing glyph, under a Western locale as under a Chinese one. Under Wine
// this rests on the prefix's font links (scripts/wine-prefix.sh); the program
// does nothing of its own for it.
//
// The test reads back the pixels of the caption bar and of the list's header
// items as drawn on the screen, cuts their ink into runs of columns, and
// compares each run with the box the same font draws for a character no font
// has. A box found there, or no ink at all, fails.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "OpenWindow.h"

namespace {

// Pixels of a rectangle of a device context, 0x00RRGGBB, rows top down.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF; }
};

Pixels Capture(HDC source, const RECT& rect) {
  Pixels pixels;
  pixels.width = rect.right - rect.left;
  pixels.height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, pixels.width, pixels.height, source, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* words = static_cast<const std::uint32_t*>(bits);
  pixels.rgb.assign(words, words + pixels.width * pixels.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

int Difference(std::uint32_t a, std::uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return most;
}

// One run of ink columns, its ink cut to its own height, one char per pixel.
struct InkRun {
  int left = 0;
  int width = 0;
  std::vector<std::string> rows;
  bool operator==(const InkRun& other) const { return rows == other.rows; }
};

// Ink is what differs clearly from the first row of the same column: the
// backgrounds here are flat or shade from left to right (caption gradient).
std::vector<InkRun> InkRuns(const Pixels& pixels) {
  auto ink = [&](int x, int y) { return Difference(pixels.At(x, y), pixels.At(x, 0)) > 80; };
  std::vector<InkRun> runs;
  int x = 0;
  while (x < pixels.width) {
    auto columnHasInk = [&](int column) {
      for (int y = 1; y < pixels.height; ++y) if (ink(column, y)) return true;
      return false;
    };
    if (!columnHasInk(x)) {
      ++x;
      continue;
    }
    InkRun run;
    run.left = x;
    while (x < pixels.width && columnHasInk(x)) ++x;
    run.width = x - run.left;
    for (int y = 1; y < pixels.height; ++y) {
      std::string row;
      for (int c = run.left; c < x; ++c) row += ink(c, y) ? '#' : '.';
      if (row.find('#') != std::string::npos || !run.rows.empty()) run.rows.push_back(row);
    }
    while (!run.rows.empty() && run.rows.back().find('#') == std::string::npos) run.rows.pop_back();
    runs.push_back(run);
  }
  return runs;
}

// The shape the font draws for a character that no font holds (U+FFFF), in
// the given colours.
InkRun MissingGlyphBox(HFONT font, COLORREF text, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 80, 60);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ oldFont = SelectObject(memory, font);
  RECT all{0, 0, 80, 60};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SetTextColor(memory, text);
  SetBkMode(memory, TRANSPARENT);
  TextOutW(memory, 10, 10, L"\xFFFF", 1);
  const Pixels pixels = Capture(memory, all);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const std::vector<InkRun> runs = InkRuns(pixels);
  return runs.size() == 1 ? runs[0] : InkRun{};
}

std::string Picture(const InkRun& run) {
  std::string picture;
  for (const std::string& row : run.rows) picture += row + "\n";
  return picture;
}

// Fails the test when the area holds no ink or a run of it is the box.
void ExpectGlyphsNotBoxes(const char* where, const Pixels& area, HFONT font, COLORREF text) {
  // A font whose missing glyph is blank (no box) leaves missing glyphs as no
  // ink at all, which the first check catches.
  const InkRun box = MissingGlyphBox(font, text, area.At(0, 0));
  const std::vector<InkRun> runs = InkRuns(area);
  EXPECT_FALSE(runs.empty()) << where << ": no text drawn";
  for (const InkRun& run : runs) {
    if (box.rows.empty()) break;
    EXPECT_FALSE(run == box) << where << ": a box at x=" << run.left << " instead of a glyph:\n" << Picture(run);
  }
}

using WindowGlyphs = OpenWindow;

TEST_F(WindowGlyphs, CaptionDrawsItsChineseTextsAsGlyphs) {
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  driver->Settle();
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  POINT clientOrigin{0, 0};
  ClientToScreen(window, &clientOrigin);
  const int border = clientOrigin.x - frame.left;
  const int captionBottom = clientOrigin.y - frame.top;
  const int captionTop = captionBottom - GetSystemMetrics(SM_CYCAPTION);
  // From just right of the icon to the middle: the start of the caption
  // (翠微星舍 and the host), clear of the buttons and the light end of a
  // gradient.
  const RECT band{border + GetSystemMetrics(SM_CXSMICON) + 4, captionTop + 2, (frame.right - frame.left) / 2,
                  captionBottom - 2};
  HDC dc = GetWindowDC(window);
  const Pixels area = Capture(dc, band);
  ReleaseDC(window, dc);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
  ExpectGlyphsNotBoxes("caption", area, captionFont, GetSysColor(COLOR_CAPTIONTEXT));
  DeleteObject(captionFont);
}

TEST_F(WindowGlyphs, ListHeaderDrawsItsChineseTextsAsGlyphs) {
  HWND header = ListView_GetHeader(list);
  ASSERT_NE(header, nullptr);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  driver->Settle();
  const auto font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
  for (int item = 0; item < 2; ++item) {
    RECT rect;
    ASSERT_TRUE(Header_GetItemRect(header, item, &rect));
    // Inside the item's edges, which would read as ink of their own.
    InflateRect(&rect, -3, -2);
    rect.right = std::min(rect.right, rect.left + 120);
    HDC dc = GetDC(header);
    const Pixels area = Capture(dc, rect);
    ReleaseDC(header, dc);
    ExpectGlyphsNotBoxes(item == 0 ? "header, first item" : "header, second item", area, font, GetSysColor(COLOR_BTNTEXT));
  }
}

}  // namespace
