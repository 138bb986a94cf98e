#pragma once

// The program's own texts, in one place, as GBK (code page 936) bytes: every
// text the program shows or compares is in the local code page, and these must
// match it byte for byte. The readable form stands beside each one.

// Macros, so that the resource script can use the same texts.

#define kTextDefaultKeywords "\xD0\xA1\xC7\xF8" "1\\\xD0\xA1\xC7\xF8" "2\\\xD0\xA1\xC7\xF8" "3"  // keyword box at first start: "小区1\小区2\小区3"
#define kTextNegotiable "\xC3\xE6\xD2\xE9"  // price when a site gives none: "面议"
#define kTextMinutesMarker "\xB7\xD6\xD6\xD3"  // date text: so many minutes ago: "分钟"
#define kTextHoursMarker "\xD0\xA1\xCA\xB1"  // date text: so many hours ago: "小时"
#define kTextEmptyKeywords "\xCA\xE4\xC8\xEB\xBF\xF2\xB2\xBB\xC4\xDC\xCE\xAA\xBF\xD5 \xA3\xA1\xA3\xA1 "  // message: empty keyword box: "输入框不能为空 ！！ "
#define kTextEmptyInterval "\xCB\xD1\xCB\xF7\xCA\xB1\xBC\xE4\xB2\xBB\xC4\xDC\xCE\xAA\xBF\xD5 \xA3\xA1\xA3\xA1 "  // message: empty auto-search interval: "搜索时间不能为空 ！！ "
#define kTextMessageCaption "riruv"  // caption of both messages: "riruv"
#define kTextWindowTitle "Nestari1.0"  // main window title: "Nestari1.0"
#define kTextSearchProgress "Nestari1.0 - \xB2\xE9\xD1\xAF\xD6\xD0 %d/%d\xA3\xA8" "Esc \xCD\xA3\xD6\xB9\xA3\xA9"  // title while a search runs, a printf format with the requests done and planned: "Nestari1.0 - 查询中 3/12（Esc 停止）"
#define kTextTrayTip "Nestari"  // notification-area icon tip: "Nestari"
#define kTextBalloonTitle "Nestari"  // title of the balloon after a hidden auto-search: "Nestari"
#define kTextBalloonFound "\xD5\xD2\xB5\xBD %d \xCC\xF5\xB7\xBF\xD4\xB4"  // its text, a printf format with the count: "找到 %d 条房源"
#define kTextBalloonFoundNew "\xD5\xD2\xB5\xBD %d \xCC\xF5\xB7\xBF\xD4\xB4\xA3\xAC\xC6\xE4\xD6\xD0 %d \xCC\xF5\xCA\xC7\xD0\xC2\xB5\xC4"  // its text when the memory tells new rows apart and some are, a printf format with the rows and the new ones: "找到 %d 条房源，其中 %d 条是新的"
#define kTextBalloonFoundNoneNew "\xD5\xD2\xB5\xBD %d \xCC\xF5\xB7\xBF\xD4\xB4\xA3\xAC\xC3\xBB\xD3\xD0\xD0\xC2\xB5\xC4"  // the same when none is new: "找到 %d 条房源，没有新的"
#define kTextBalloonNoneFound "\xC3\xBB\xD3\xD0\xD5\xD2\xB5\xBD\xB7\xBF\xD4\xB4"  // its text when nothing was found: "没有找到房源"
#define kTextLabelCommunity "\xD0\xA1\xC7\xF8\xC3\xFB\xB3\xC6\xA3\xBA"  // label before the keyword box: "小区名称："
#define kTextSiteA "58\xCD\xAC\xB3\xC7"  // SiteA check box: "58同城"
#define kTextSiteB "\xB8\xCF\xBC\xAF\xCD\xF8"  // SiteB check box: "赶集网"
#define kTextAutoSearch "\xD7\xD4\xB6\xAF\xCB\xD1\xCB\xF7"  // auto-search check box: "自动搜索"
#define kTextQuery "\xB2\xE9\xD1\xAF"  // Query button: "查询"
#define kTextLabelInterval "\xCB\xD1\xCB\xF7\xCA\xB1\xBC\xE4\xA3\xBA"  // label before the interval box: "搜索时间："
#define kTextLabelMinutes "\xB7\xD6\xD6\xD3"  // label after the interval box: "分钟"
#define kTextWholeFlat "\xD5\xFB\xD7\xE2"  // whole-flat check box: "整租"
#define kTextSharedFlat "\xBA\xCF\xD7\xE2"  // shared-flat check box: "合租"
#define kTextColumnTitle "\xB1\xEA\xCC\xE2"  // result column 0: "标题"
#define kTextColumnCommunity "\xD0\xA1\xC7\xF8"  // result column 1: "小区"
#define kTextColumnPrice "\xBC\xDB\xB8\xF1"  // result column 2: "价格"
#define kTextColumnDate "\xC8\xD5\xC6\xDA"  // result column 3: "日期"

// City display names, in the city table's row order.
#define kTextCity0 "\xB1\xB1\xBE\xA9"  // "北京"
#define kTextCity1 "\xB9\xE3\xD6\xDD"  // "广州"
#define kTextCity2 "\xBA\xBC\xD6\xDD"  // "杭州"
#define kTextCity3 "\xBC\xC3\xC4\xCF"  // "济南"
#define kTextCity4 "\xC1\xC4\xB3\xC7"  // "聊城"
#define kTextCity5 "\xC4\xCF\xBE\xA9"  // "南京"
#define kTextCity6 "\xC7\xE0\xB5\xBA"  // "青岛"
#define kTextCity7 "\xC9\xCF\xBA\xA3"  // "上海"
#define kTextCity8 "\xC9\xEE\xDB\xDA"  // "深圳"
#define kTextCity9 "\xCC\xEC\xBD\xF2"  // "天津"
#define kTextCity10 "\xCE\xE4\xBA\xBA"  // "武汉"
#define kTextCity11 "\xD1\xCC\xCC\xA8"  // "烟台"
