#pragma once
// List pages made up for a test and served by address: the page source of a
// search run without a network.

#include <functional>
#include <map>
#include <vector>

#include "SearchRun.h"
#include "Text.h"

// The anchor the listing site writes for one film entry.
inline Text Anchor(const Text& path, const Text& title) {
  return "<a href=\"" + path + "\" class=\"ulink\">" + title + "</a>";
}

inline ByteBuffer Bytes(const Text& text) { return ByteBuffer(text.begin(), text.end()); }

// Serves prepared pages by address and notes every address asked for.
struct PreparedPages {
  std::map<Text, ByteBuffer> pages;
  std::vector<Text> asked;
  // Called at every fetch, while the run is under way.
  std::function<void()> duringFetch;

  PageSource Source() {
    return [this](const Text& address) {
      asked.push_back(address);
      if (duringFetch) duringFetch();
      auto it = pages.find(address);
      return it == pages.end() ? ByteBuffer() : it->second;
    };
  }
};
