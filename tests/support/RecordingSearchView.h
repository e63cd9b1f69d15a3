#pragma once
// A SearchView that writes down every call, in order, as one line each.

#include <string>
#include <vector>

#include "SearchView.h"

class RecordingSearchView : public SearchView {
 public:
  std::int32_t categoryIndex = 0;
  Text pageCountText;
  std::vector<std::string> calls;
  int rows = 0;

  std::int32_t ReadCategoryIndex() override {
    calls.push_back("ReadCategoryIndex");
    return categoryIndex;
  }
  Text ReadPageCountText() override {
    calls.push_back("ReadPageCountText");
    return pageCountText;
  }
  void SetSearchEnabled(bool enabled) override { calls.push_back(enabled ? "Enable" : "Disable"); }
  void ClearRows() override {
    calls.push_back("ClearRows");
    rows = 0;
  }
  void AppendRow(const Text& title, const Text& link) override {
    calls.push_back("AppendRow " + title + " " + link);
    ++rows;
  }
  void RepaintRows() override { calls.push_back("RepaintRows"); }
  void SetStatusText(const Text& text) override { calls.push_back("Status " + text); }
};
