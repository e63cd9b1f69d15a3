#pragma once
// 窗口, the program's only window: the category list, the page-count box, the
// search button, the result list and the status bar. It is the SearchView of
// the search run, and a right click on the list opens the selected link.

#include <windows.h>

#include "LinkOpener.h"
#include "ProgramSite.h"
#include "SearchRun.h"
#include "SearchView.h"

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
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnCreate();
  void OnDestroy();
  void OnActivate(WORD state);
  void OnSetFocus();
  void OnSize(WPARAM wParam, LPARAM lParam);
  void OnSetFont(HFONT font);
  LRESULT OnCommand(HWND control, WORD code, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header, WPARAM wParam, LPARAM lParam);

  void OnSearchButtonClicked();
  LRESULT OnResultListNotify(const NMHDR& header);

  bool CreateControls();
  void SetUpStatusBar();
  void SetUpResultList();
  void SetUpPageCountBox();
  void SetUpCategoryList();
  void SetCaption();

  ProgramSite site_;
  PageSource pageSource_;
  LinkOpener linkOpener_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HWND statusBar_ = nullptr;
  HWND resultList_ = nullptr;
  HWND pageCountBox_ = nullptr;
  HWND searchButton_ = nullptr;
  HWND categoryList_ = nullptr;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
};
