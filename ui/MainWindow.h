#pragma once
// The program's only window: the category list, the page-count box, the
// search button, the result list and the status bar. It is the SearchView of
// the search run, and a right click on the list opens the selected link.

#include <windows.h>

#include <optional>

#include "LinkOpener.h"
#include "ProgramSite.h"
#include "ResultList.h"
#include "SearchRun.h"
#include "SearchView.h"
#include "StatusBar.h"

class MainWindow : public SearchView {
 public:
  // Searches the given site; pages come from pageSource; links go to the shell
  // through shellOpen.
  MainWindow(ProgramSite site, PageSource pageSource, ShellOpen shellOpen = ShellExecuteOpen);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window hidden, with its controls and caption. False when the
  // window or one of its controls could not be created.
  bool Create(HINSTANCE instance);
  // Shows the window centred on the primary screen.
  void ShowCentred();
  HWND Handle() const { return window_; }

  std::int32_t ReadCategoryIndex() override;
  Text ReadPageCountText() override;
  void SetSearchEnabled(bool enabled) override;
  void ClearRows() override;
  void AppendRow(const Text& title, const Text& link) override;
  void RepaintRows() override;
  void SetStatusText(const Text& text) override;

 private:
  // Hands each message to the window's handler for it; whatever no handler
  // takes goes to DefWindowProcW, here and nowhere else.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The result of a message the window handled itself; none for the default handling.
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // False when a control could not be made, which fails the window's creation.
  bool OnCreate();
  void OnDestroy();
  void OnNcDestroy();
  void OnActivate(UINT state);
  void OnSetFocus();
  void OnSize(UINT state, int width, int height);
  void OnSetFont(HFONT font);
  // True when the command or notification was the window's to handle.
  bool OnCommand(HWND control, UINT code);
  bool OnNotify(const NMHDR& header);

  void OnSearchButtonClicked();
  void OnResultListNotify(UINT code);

  bool CreateControls();
  void SetUpPageCountBox();
  void SetUpCategoryList();
  void SetCaption();

  ProgramSite site_;
  PageSource pageSource_;
  LinkOpener linkOpener_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  StatusBar statusBar_;
  ResultList resultList_;
  HWND pageCountBox_ = nullptr;
  HWND searchButton_ = nullptr;
  HWND categoryList_ = nullptr;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
};
