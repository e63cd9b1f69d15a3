#pragma once
// Every Chinese text of the listing search, in one place. Sources are UTF-8;
// the build turns these literals into their code page 936 bytes.

// Stands for the page number in a list-page template.
inline constexpr char kPagePlaceholder[] = "页";

inline constexpr char kCategoryLatest[] = "最新电影";
inline constexpr char kCategoryDomestic[] = "国内电影";
inline constexpr char kCategoryGeneral[] = "综合电影";
inline constexpr char kCategoryWestern[] = "欧美电影";
inline constexpr char kCategoryJapanKorea[] = "日韩电影";

// Progress: kProgressLead <page> kProgressMiddle <match> kProgressTail.
inline constexpr char kProgressLead[] = "数据检索中，请稍后...当前第";
inline constexpr char kProgressMiddle[] = "页，第";
inline constexpr char kProgressTail[] = "条";

// Closing: kClosingLead <total> kClosingTail.
inline constexpr char kClosingLead[] = "数据检索完成，共计";
inline constexpr char kClosingTail[] = "条信息";
