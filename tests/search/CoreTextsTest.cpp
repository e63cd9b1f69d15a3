// The core writes its Chinese texts as escaped code page 936 bytes so that
// clang reads them too; the window's texts are UTF-8 literals that g++ turns
// into code page 936 (-fexec-charset=CP936). Both must be the same bytes.
#include <gtest/gtest.h>

#include <string>

#include "SearchTexts.h"
#include "WindowTexts.h"

namespace {

TEST(CoreTexts, EscapedBytesAreTheTextsCompiledFromUtf8) {
  // The right-hand literals go through the compiler's character set flag.
  const struct {
    const char* escaped;
    const char* compiled;
  } cases[] = {
      {kPagePlaceholder, "页"},
      {kCategoryLatest, "最新电影"},
      {kCategoryDomestic, "国内电影"},
      {kCategoryGeneral, "综合电影"},
      {kCategoryWestern, "欧美电影"},
      {kCategoryJapanKorea, "日韩电影"},
      {kProgressLead, "数据检索中，请稍后...当前第"},
      {kProgressMiddle, "页，第"},
      {kProgressTail, "条"},
      {kClosingLead, "数据检索完成，共计"},
      {kClosingTail, "条信息"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.escaped, c.compiled) << c.compiled;
}

TEST(CoreTexts, AgreeWithTheWindowsTexts) {
  const std::string pageCountLabel = kPageCountLabelText;  // 检索页数：
  const std::string titleHeading = kTitleColumnHeading;    // 电影名
  const std::string searchButton = kSearchButtonText;      // 检索
  EXPECT_EQ(pageCountLabel.substr(4, 2), kPagePlaceholder);
  for (const char* name : {kCategoryLatest, kCategoryDomestic, kCategoryGeneral, kCategoryWestern, kCategoryJapanKorea}) {
    EXPECT_EQ(std::string(name).substr(4), titleHeading.substr(0, 4)) << name;
  }
  EXPECT_EQ(std::string(kProgressLead).substr(4, 4), searchButton);
  EXPECT_EQ(std::string(kClosingLead).substr(4, 4), searchButton);
}

}  // namespace
