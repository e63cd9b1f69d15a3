#pragma once
// A fixture with the real main window open on the screen, fed by prepared
// pages, its shell requests written down instead of carried out.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "CategoryCatalogue.h"
#include "LinkOpener.h"
#include "MainWindow.h"
#include "MainWindowLayout.h"
#include "PreparedPages.h"
#include "SearchRun.h"
#include "WindowDriver.h"

// The site the window under test searches; any will do.
inline const ProgramSite kTestSite{"http://listings.test", "listings.test"};
inline Text ListPage(int category, int page) { return ListPageAddress(TemplateFor(kTestSite.siteBase, category), page); }

struct ShellRequest {
  HWND owner;
  Text link;
};

struct ShellRecorder {
  std::vector<ShellRequest> requests;
  ShellOpen Seam() {
    return [this](HWND owner, const Text& link) { requests.push_back({owner, link}); };
  }
};

class OpenWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    TakeQuitMessage();  // left by a window of an earlier test
    main = std::make_unique<MainWindow>(kTestSite, site.Source(), shell.Seam());
    ASSERT_TRUE(main->Create(GetModuleHandleW(nullptr)));
    window = main->Handle();
    statusBar = GetDlgItem(window, kStatusBarId);
    list = GetDlgItem(window, kResultListId);
    pageCountBox = GetDlgItem(window, kPageCountBoxId);
    pageCountLabel = GetDlgItem(window, kPageCountLabelId);
    searchButton = GetDlgItem(window, kSearchButtonId);
    categoryList = GetDlgItem(window, kCategoryListId);
    categoryLabel = GetDlgItem(window, kCategoryLabelId);
    main->ShowCentred();
    driver = std::make_unique<WindowDriver>(window);
    driver->Settle();
  }

  void TearDown() override {
    main.reset();
    TakeQuitMessage();
  }

  // Types the page count into an emptied box and presses the search button.
  void RunSearch(const std::wstring& pageCount) {
    SetWindowTextW(pageCountBox, L"");
    SetFocus(pageCountBox);
    driver->Type(pageCount);
    driver->Click(WindowDriver::CentreOf(searchButton));
  }

  PreparedPages site;
  ShellRecorder shell;
  std::unique_ptr<MainWindow> main;
  std::unique_ptr<WindowDriver> driver;
  HWND window = nullptr;
  HWND statusBar = nullptr;
  HWND list = nullptr;
  HWND pageCountBox = nullptr;
  HWND pageCountLabel = nullptr;
  HWND searchButton = nullptr;
  HWND categoryList = nullptr;
  HWND categoryLabel = nullptr;
};
