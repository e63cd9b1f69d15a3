#pragma once
// Every Chinese text of the listing search, in one place, as the code page 936
// bytes it is made of (the text itself beside each). Escaped bytes read the
// same to every compiler: clang, which builds the fuzz targets, has no
// -fexec-charset to turn UTF-8 literals into these bytes.

// Stands for the page number in a list-page template: 页. A macro, so that
// the category paths can hold it inside their own literals.
#define LISTING_PAGE_PLACEHOLDER "\xD2\xB3"
inline constexpr char kPagePlaceholder[] = LISTING_PAGE_PLACEHOLDER;

inline constexpr char kCategoryLatest[] = "\xD7\xEE\xD0\xC2\xB5\xE7\xD3\xB0";      // 最新电影
inline constexpr char kCategoryDomestic[] = "\xB9\xFA\xC4\xDA\xB5\xE7\xD3\xB0";    // 国内电影
inline constexpr char kCategoryGeneral[] = "\xD7\xDB\xBA\xCF\xB5\xE7\xD3\xB0";     // 综合电影
inline constexpr char kCategoryWestern[] = "\xC5\xB7\xC3\xC0\xB5\xE7\xD3\xB0";     // 欧美电影
inline constexpr char kCategoryJapanKorea[] = "\xC8\xD5\xBA\xAB\xB5\xE7\xD3\xB0";  // 日韩电影

// Progress: kProgressLead <page> kProgressMiddle <match> kProgressTail.
// 数据检索中，请稍后...当前第
inline constexpr char kProgressLead[] =
    "\xCA\xFD\xBE\xDD\xBC\xEC\xCB\xF7\xD6\xD0\xA3\xAC\xC7\xEB\xC9\xD4\xBA\xF3...\xB5\xB1\xC7\xB0\xB5\xDA";
inline constexpr char kProgressMiddle[] = "\xD2\xB3\xA3\xAC\xB5\xDA";  // 页，第
inline constexpr char kProgressTail[] = "\xCC\xF5";                    // 条

// Closing: kClosingLead <total> kClosingTail.
inline constexpr char kClosingLead[] = "\xCA\xFD\xBE\xDD\xBC\xEC\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xAC\xB9\xB2\xBC\xC6";  // 数据检索完成，共计
inline constexpr char kClosingTail[] = "\xCC\xF5\xD0\xC5\xCF\xA2";  // 条信息
