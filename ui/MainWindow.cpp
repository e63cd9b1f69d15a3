#include "MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "CategoryCatalogue.h"
#include "MainWindowLayout.h"
#include "WideText.h"
#include "WindowKeys.h"

namespace {

constexpr wchar_t kWindowClass[] = L"FilmListingsMainWindow";
constexpr UINT_PTR kPageCountFilterId = 1;

int CreationHeight(const ControlLayout& layout) {
  const bool dropDown = std::wstring_view(layout.className) == WC_COMBOBOXW;
  return dropDown ? std::max(layout.height, kDroppedListHeight) : layout.height;
}

// 编辑框1 takes only digits and "-" of the typed printable characters; control
// characters (backspace, the clipboard shortcuts) pass, so a paste is unfiltered.
// Enter (and Ctrl+Enter) must do nothing, but a single-line edit box beeps at
// them: they stop here too.
LRESULT CALLBACK PageCountFilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR) {
  if (message == WM_CHAR && PageCountBoxRefuses(wParam)) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, PageCountFilterProc, id);
  return DefSubclassProc(edit, message, wParam, lParam);
}

// Registered once per process; later windows reuse it.
bool RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kWindowClass, &existing)) return true;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  return RegisterClassExW(&windowClass) != 0;
}

void SetText(HWND hwnd, const Text& text) { SetWindowTextW(hwnd, WideFromText(text).c_str()); }

}  // namespace

MainWindow::MainWindow(ProgramSite site, PageSource pageSource, ShellOpen shellOpen)
    : site_(std::move(site)), pageSource_(std::move(pageSource)), linkOpener_(std::move(shellOpen)) {}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  if (!RegisterWindowClass(instance, WindowProc)) return false;
  // Hidden and without a caption: the creation handler writes the caption.
  CreateWindowExW(0, kWindowClass, L"", kWindowStyle, kStoredLeft, kStoredTop, kWindowWidth, kWindowHeight,
                  nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

void MainWindow::ShowCentred() {
  // The full primary screen, not the work area: a taskbar is not allowed for.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam));
      break;  // the default handling gives the window the focus
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_SIZE:
      OnSize(wParam, lParam);
      return 0;
    case WM_SETFONT:
      OnSetFont(reinterpret_cast<HFONT>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_COMMAND:
      return OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam), wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), wParam, lParam);
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT MainWindow::OnCreate() {
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (!CreateControls()) return -1;
  SetCaption();
  return 0;
}

void MainWindow::OnDestroy() { PostQuitMessage(0); }

void MainWindow::OnActivate(WORD state) {
  if (state != WA_INACTIVE) return;
  HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

void MainWindow::OnSetFocus() {
  const bool usable = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_);
  SetFocus(usable ? lastFocus_ : categoryList_);
}

void MainWindow::OnSize(WPARAM wParam, LPARAM lParam) {
  // The status bar docks itself to the bottom edge whenever it is told the size.
  SendMessageW(statusBar_, WM_SIZE, wParam, lParam);
}

void MainWindow::OnSetFont(HFONT font) { font_ = font; }

LRESULT MainWindow::OnCommand(HWND control, WORD code, WPARAM wParam, LPARAM lParam) {
  if (control == searchButton_ && code == BN_CLICKED) {
    OnSearchButtonClicked();
    return 0;
  }
  return DefWindowProcW(window_, WM_COMMAND, wParam, lParam);
}

LRESULT MainWindow::OnNotify(const NMHDR& header, WPARAM wParam, LPARAM lParam) {
  if (header.hwndFrom == resultList_) return OnResultListNotify(header);
  return DefWindowProcW(window_, WM_NOTIFY, wParam, lParam);
}

void MainWindow::OnSearchButtonClicked() {
  // Runs to its end here; the window takes no messages meanwhile.
  SearchRun(*this, pageSource_, site_.siteBase);
  // Disabling the focused button left no control with the focus, and then
  // neither Tab nor Esc would reach the window: give the focus back.
  if (!GetFocus() && GetActiveWindow() == window_) SetFocus(searchButton_);
}

LRESULT MainWindow::OnResultListNotify(const NMHDR& header) {
  // The list has already selected the row under the pointer when it reports this.
  if (header.code == NM_RCLICK) linkOpener_.OpenSelectedLink(resultList_);
  return 0;
}

bool MainWindow::CreateControls() {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (const ControlLayout& layout : kControls) {
    const DWORD style = WS_CHILD | WS_VISIBLE | layout.style | (layout.tabStop ? WS_TABSTOP : 0);
    HWND control = CreateWindowExW(layout.exStyle, layout.className, WideFromText(layout.text).c_str(), style,
                                   layout.left, layout.top, layout.width, CreationHeight(layout), window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  statusBar_ = GetDlgItem(window_, kStatusBarId);
  resultList_ = GetDlgItem(window_, kResultListId);
  pageCountBox_ = GetDlgItem(window_, kPageCountBoxId);
  searchButton_ = GetDlgItem(window_, kSearchButtonId);
  categoryList_ = GetDlgItem(window_, kCategoryListId);

  SetUpStatusBar();
  SetUpResultList();
  SetUpPageCountBox();
  SetUpCategoryList();
  return true;
}

void MainWindow::SetUpStatusBar() {
  int rightEdges[std::size(kStatusPartWidths)];
  int edge = 0;
  for (std::size_t i = 0; i < std::size(kStatusPartWidths); ++i) {
    edge += kStatusPartWidths[i];
    rightEdges[i] = kStatusPartWidths[i] < 0 ? -1 : edge;
  }
  SendMessageW(statusBar_, SB_SETPARTS, std::size(rightEdges), reinterpret_cast<LPARAM>(rightEdges));
  SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromText(kStatusLabelText).c_str()));
  SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L""));
}

void MainWindow::SetUpResultList() {
  SendMessageW(resultList_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
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
    SendMessageW(resultList_, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&lvColumn));
  }
}

void MainWindow::SetUpPageCountBox() { SetWindowSubclass(pageCountBox_, PageCountFilterProc, kPageCountFilterId, 0); }

void MainWindow::SetUpCategoryList() {
  for (const Category& category : CategoryCatalogue) {
    SendMessageW(categoryList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromText(category.displayName).c_str()));
  }
  SendMessageW(categoryList_, CB_SETCURSEL, 0, 0);
  // One pixel taller than the platform's own item height for the font.
  const LRESULT itemHeight = SendMessageW(categoryList_, CB_GETITEMHEIGHT, 0, 0);
  SendMessageW(categoryList_, CB_SETITEMHEIGHT, 0, itemHeight + 1);
}

void MainWindow::SetCaption() {
  SetText(window_, JoinTexts({kCaptionLead, "  ", site_.captionHost, " ", kCaptionTool, "   ", kCaptionHint}));
}

std::int32_t MainWindow::ReadCategoryIndex() {
  return static_cast<std::int32_t>(SendMessageW(categoryList_, CB_GETCURSEL, 0, 0));
}

Text MainWindow::ReadPageCountText() {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(pageCountBox_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(pageCountBox_, text.data(), static_cast<int>(text.size()))));
  return TextFromWide(text);
}

void MainWindow::SetSearchEnabled(bool enabled) { EnableWindow(searchButton_, enabled); }

void MainWindow::ClearRows() { SendMessageW(resultList_, LVM_DELETEALLITEMS, 0, 0); }

void MainWindow::AppendRow(const Text& title, const Text& link) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(resultList_, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<wchar_t*>(L"");
  const auto row = static_cast<WPARAM>(SendMessageW(resultList_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));

  const std::pair<int, const Text*> cells[] = {{0, &title}, {1, &link}};
  for (const auto& [column, text] : cells) {
    std::wstring wide = WideFromText(*text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    SendMessageW(resultList_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
  }
}

void MainWindow::RepaintRows() { UpdateWindow(resultList_); }

void MainWindow::SetStatusText(const Text& text) {
  SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(WideFromText(text).c_str()));
}
