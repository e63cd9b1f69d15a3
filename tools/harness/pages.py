"""Realistic list pages of the listing site, in GBK, for fixtures, benchmarks,
the demo site and loopback tests.

make_list_page(...) returns (page bytes, expected rows) where each expected row
is (title bytes, path bytes) for every anchor written in the site's entry form;
decoys (near-miss anchors) are written too and listed nowhere.
"""

import random

CATEGORY_DIRS = ["dyzz", "china", "jddy", "oumei", "rihan"]
LIST_NUMBERS = [23, 4, 63, 7, 6]
CATEGORY_NAMES = ["最新电影", "国内电影", "综合电影", "欧美电影", "日韩电影"]

GENRES = ["剧情", "喜剧", "动作", "爱情", "科幻", "悬疑", "动画", "战争", "犯罪", "奇幻"]
WORDS = ["长河", "星辰", "归途", "少年", "故乡", "山海", "雪夜", "风声", "明月", "孤城",
         "追光", "天涯", "旧梦", "烈火", "潮汐", "白鹭", "远方", "迷雾", "春归", "长安"]
QUALITY = ["HD国语中字", "BD中英双字", "HD中字", "BD国粤双语中字", "TC中字"]


def list_page_path(category, page):
    return "/html/gndy/%s/list_%d_%d.html" % (CATEGORY_DIRS[category], LIST_NUMBERS[category], page)


def _title(rng, year):
    name = "".join(rng.sample(WORDS, rng.choice([1, 2])))
    # The ideographic space (A1 A1 in GBK) counts as part of a title.
    sep = "\u3000" if rng.random() < 0.15 else ""
    return "%d年%s%s《%s》%s" % (year, rng.choice(GENRES), sep, name, rng.choice(QUALITY))


def _entry_path(rng, category, serial):
    date = "2026%02d%02d" % (rng.randint(1, 12), rng.randint(1, 28))
    return "/html/gndy/%s/%s/%d.html" % (CATEGORY_DIRS[category], date, serial)


def _anchor(path, title):
    return '<a href="%s" class="ulink">%s</a>' % (path, title)


DECOYS = [
    # Each of these differs from an entry in one detail and must not be found.
    lambda p, t: '<a href="%s" class="ulink">%s 预告</a>' % (p, t),
    lambda p, t: '<a href="%s" class="ulink" title="%s">%s</a>' % (p, t, t),
    lambda p, t: "<a href='%s' class='ulink'>%s</a>" % (p, t),
    lambda p, t: '<a  href="%s" class="ulink">%s</a>' % (p, t),
    lambda p, t: '<a href="%s?from=top" class="ulink">%s</a>' % (p, t),
    lambda p, t: '<a href="%s" class="ulink">\n%s</a>' % (p, t),
    lambda p, t: '<a href="/html/gndy/dyzz/20261/1234.html" class="ulink">%s</a>' % t,
    lambda p, t: '<a href="/html/gndy/dianying/20261201/1234.html" class="ulink">%s</a>' % t,
    lambda p, t: '<a href="/html/tv/hytv/20261201/1234.html" class="ulink">%s</a>' % t,
]


def make_list_page(category, page, entries=25, seed=None, target_size=0):
    """One list page; target_size pads the page with listing detail text."""
    rng = random.Random(seed if seed is not None else category * 1000 + page)
    rows = []
    out = []
    out.append('<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN">\n')
    out.append('<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312" />\n')
    out.append("<title>%s_第%d页_翠微星舍</title></head>\n<body>\n" % (CATEGORY_NAMES[category], page))
    out.append('<div class="bd2"><div class="path"><a href="/">首页</a> &gt; '
               '<a href="/html/gndy/%s/index.html">%s</a></div>\n' % (CATEGORY_DIRS[category], CATEGORY_NAMES[category]))
    out.append('<div class="co_content8"><ul>\n')
    serial = 60000 + category * 5000 + page * 40
    for i in range(entries):
        serial += rng.randint(1, 9)
        path = _entry_path(rng, category, serial)
        title = _title(rng, 2026 - rng.randint(0, 3))
        out.append('<table width="100%" border="0" cellspacing="0" cellpadding="0" class="tbspan" style="margin-top:6px">\n')
        out.append('<tr><td height="26"><b><a href="/html/gndy/%s/index.html">[%s]</a>' % (CATEGORY_DIRS[category], CATEGORY_NAMES[category]))
        out.append(_anchor(path, title))
        out.append("</b></td></tr>\n")
        out.append('<tr><td colspan="2" style="padding-left:3px">日期：2026-%02d-%02d 点击：%d</td></tr>\n'
                   % (rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 99999)))
        out.append('<tr><td colspan="2" style="padding-left:3px">◎译　名　%s ◎年　代　%d ◎产　地　中国 &amp; 美国 ◎类　别　%s</td></tr>\n'
                   % (rng.choice(WORDS), 2026, rng.choice(GENRES)))
        out.append("</table>\n")
        rows.append((title.encode("gbk"), path.encode("ascii")))
        if i % 3 == 1:
            decoy = rng.choice(DECOYS)
            out.append("<p>%s</p>\n" % decoy(_entry_path(rng, category, serial + 1), _title(rng, 2025)))
    out.append("</ul></div>\n")
    pager = " ".join('<a href="list_%d_%d.html">%d</a>' % (LIST_NUMBERS[category], n, n) for n in range(1, 11))
    out.append('<div class="x">%s <a href="list_%d_%d.html">下一页</a></div>\n' % (pager, LIST_NUMBERS[category], page + 1))
    body = "".join(out).encode("gbk")
    tail = "</div></body></html>\n".encode("gbk")
    if target_size > len(body) + len(tail):
        filler = []
        size = len(body) + len(tail)
        while size < target_size:
            line = ('<p class="intro">◎简　介　%s，%s。%s的故事在%s展开。</p>\n'
                    % (rng.choice(WORDS), rng.choice(WORDS), rng.choice(WORDS), rng.choice(WORDS))).encode("gbk")
            filler.append(line)
            size += len(line)
        body += b"".join(filler)
    return body + tail, rows


def rows_file_text(rows):
    """Expected rows, one per line: title, a tab, the path (GBK bytes)."""
    return b"".join(t + b"\t" + p + b"\n" for t, p in rows)
