#pragma once
// Every Chinese text of the main window, in one place. Sources are UTF-8; the
// build turns these literals into their code page 936 bytes.

// Caption: kCaptionLead, two blanks, the host, one blank, kCaptionTool, three
// blanks, kCaptionHint.
inline constexpr char kCaptionLead[] = "翠微星舍";
inline constexpr char kCaptionTool[] = "电影正则检索工具";
inline constexpr char kCaptionHint[] = "鼠标右键单击打开选中电影链接";

inline constexpr char kCategoryLabelText[] = "翠微星舍板块：";
inline constexpr char kPageCountLabelText[] = "检索页数：";
inline constexpr char kSearchButtonText[] = "检索";
inline constexpr char kStatusLabelText[] = "状态：";

inline constexpr char kTitleColumnHeading[] = "电影名";
inline constexpr char kLinkColumnHeading[] = "链接地址";
