#include "demo/sites/ResultPages.h"

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

const char* KindName(FakeKind kind) { return kind == FakeKind::WholeFlat ? "整租" : "合租"; }

std::string Head(const std::string& title, const std::string& style) {
  return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
         "</title>\n<style>\n" + style + "</style>\n</head>\n";
}

const char kSiteAStyle[] =
    "body{font:12px/1.6 sans-serif;margin:0;color:#333}\n"
    ".topbar{background:#f5f5f5;border-bottom:1px solid #ddd;padding:4px 20px}\n"
    ".header{padding:12px 20px}.header h1{display:inline;color:#f60;font-size:24px}\n"
    ".nav{padding:4px 20px;color:#999}\n"
    "table.tbimg,table.tblist{width:960px;margin:0 20px;border-collapse:collapse}\n"
    "th{background:#f0f0f0;text-align:left}td,th{padding:6px;border-bottom:1px dashed #ddd}\n"
    "a.t{color:#00c;font-size:14px}.tc b{color:#f60;font-size:14px}\n"
    ".pager,.footer{padding:12px 20px;color:#999}\n";

const char kSiteBStyle[] =
    "body{font:12px/1.6 sans-serif;margin:0;color:#333}\n"
    "#header{background:#2a8c3c;color:#fff;padding:10px 20px}\n"
    "#wrapper{width:980px;margin:0 auto}.crumbs{padding:6px 0;color:#999}\n"
    "#content{float:left;width:760px}#sidebar{float:right;width:200px}\n"
    ".list_noimg{border-bottom:1px dotted #ccc;padding:8px 0;margin:0}\n"
    ".list_noimg dt a{font-size:14px;color:#039}.price{color:#f60;font-weight:bold}\n"
    ".list_ad{background:#fffbe6;padding:8px}#footer{clear:both;padding:12px 20px;color:#999}\n";

std::string SiteAHeader(const FakeCity& city, FakeKind kind, const std::string& keyword) {
  const std::string path = kind == FakeKind::WholeFlat ? "/nestari/0/" : "/hezu/0/";
  return "<body>\n<div class=\"topbar\"><a href=\"/\">" + std::string(city.name) +
         "站</a> | <a href=\"/nestari/0/\">整租</a> <a href=\"/hezu/0/\">合租</a> | 登录 注册 | 免费发布信息</div>\n"
         "<div class=\"header\"><h1>SiteA 分类信息</h1>\n"
         "<form action=\"" + path + "\" method=\"get\"><input type=\"hidden\" name=\"final\" value=\"1\">"
         "<input type=\"text\" name=\"key\" value=\"" + Escape(keyword) + "\"> <input type=\"submit\" value=\"搜索\"></form></div>\n"
         "<div class=\"nav\"><a href=\"/\">" + city.name + "分类信息</a> &gt; <a href=\"/house/\">" + city.name +
         "房产</a> &gt; " + city.name + KindName(kind) + " &gt; " + Escape(keyword) + "</div>\n";
}

std::string SiteARow(const FakeListing& l, bool withPicture) {
  std::string row = "<tr>\n";
  if (withPicture)
    row += "<td class=\"img\"><a href=\"" + l.href + "\" target=\"_blank\"><img src=\"/pic/small/" +
           l.href.substr(l.href.rfind('/') + 1, 8) + ".jpg\" width=\"100\" height=\"75\" alt=\"\"></a></td>\n";
  row += "<td class=\"t\"><a class=\"t\" href=\"" + l.href + "\" target=\"_blank\">" + l.titleHtml +
         "</a><br><span class=\"qj\">个人房源</span></td>\n";
  row += l.priceHtml.empty() ? std::string("<td class=\"tc\"><b></b>面议</td>\n")
                             : "<td class=\"tc\"><b>" + l.priceHtml + "</b>元/月</td>\n";
  // Rows without a layout keep the column with a cell of no class.
  row += l.layout.empty() ? std::string("<td>&nbsp;</td>\n") : "<td class=\"tc\">" + l.layout + "</td>\n";
  row += "<td class=\"tc\">" + l.dateHtml + "</td>\n</tr>\n";
  return row;
}

std::string Footer(const char* siteName) {
  return std::string("<div id=\"footer\" class=\"footer\">关于我们 | 联系我们 | 帮助中心 | 网站地图<br>&copy; ") +
         siteName + " 仅供测试使用</div>\n</body>\n</html>\n";
}

}  // namespace

std::string SiteAResultPage(const FakeCity& city, FakeKind kind, const std::string& keyword,
                            const std::vector<FakeListing>& listings) {
  // Beijing's list shows a picture beside every advertisement, in a table of
  // its own class.
  const bool pictures = std::string(city.code) == "bj";
  std::string page = Head(Escape(keyword) + " - " + city.name + KindName(kind) + "房屋出租 - SiteA", kSiteAStyle);
  page += SiteAHeader(city, kind, keyword);
  page += "<div id=\"infolist\">\n<table class=\"" + std::string(pictures ? "tbimg" : "tblist") +
          "\" cellspacing=\"0\" cellpadding=\"0\">\n<tr>";
  if (pictures) page += "<th>图片</th>";
  page += "<th>标题</th><th>租金</th><th>房型</th><th>更新时间</th></tr>\n";
  if (listings.empty()) {
    page += "<tr><td colspan=\"5\" class=\"noresult\">抱歉，没有找到与“" + Escape(keyword) +
            "”相关的信息，请换个关键词试试。</td></tr>\n";
  }
  for (const FakeListing& l : listings) page += SiteARow(l, pictures);
  page += "</table>\n</div>\n<div class=\"pager\"><span class=\"current\">1</span> 共 " +
          std::to_string(listings.size()) + " 条</div>\n";
  page += Footer("SiteA");
  return page;
}

std::string SiteBResultPage(const FakeCity& city, FakeKind kind, const std::string& keyword,
                            const std::vector<FakeListing>& listings) {
  std::string page = Head(Escape(keyword) + " - " + city.name + KindName(kind) + " - SiteB 生活网", kSiteBStyle);
  page += "<body>\n<div id=\"header\"><b>SiteB 生活网</b> · " + std::string(city.name) +
          " <a href=\"/fang1/\">整租</a> <a href=\"/fang3/\">合租</a> · 登录 · 注册</div>\n";
  page += "<div id=\"wrapper\">\n<div class=\"crumbs\"><a href=\"/\">" + std::string(city.name) +
          "</a> &gt; 房产 &gt; " + KindName(kind) + " &gt; " + Escape(keyword) + "</div>\n";
  page += "<div id=\"content\">\n<div class=\"list_border\">\n<div class=\"list_title\">找到 " +
          std::to_string(listings.size()) + " 条" + KindName(kind) + "信息</div>\n<div class=\"list\">\n";
  if (listings.empty()) page += "<p class=\"noresult\">没有找到符合条件的房源，请修改搜索条件。</p>\n";
  for (std::size_t i = 0; i < listings.size(); ++i) {
    const FakeListing& l = listings[i];
    page += "<dl class=\"list_noimg\">\n<dt class=\"clr\"><a href=\"" + l.href + "\" target=\"_blank\">" +
            l.titleHtml + "</a> <span class=\"ico\">个人</span></dt>\n<dd class=\"address\">" +
            city.name + std::string(" - ") + Escape(keyword) + "</dd>\n<dd class=\"price\">" +
            l.priceHtml + "</dd>\n<dd class=\"time\">" + l.dateHtml + "</dd>\n</dl>\n";
    // A paid placement between the advertisements, in a block of its own class.
    if (i == 1) page += "<dl class=\"list_ad\"><dt class=\"clr\"><a href=\"/ad/\">品牌公寓 首月半价</a></dt></dl>\n";
  }
  page += "</div>\n</div>\n</div>\n<div id=\"sidebar\"><h3>热门小区</h3><ul><li>阳光花园</li><li>金色家园</li></ul></div>\n"
          "</div>\n";
  page += Footer("SiteB");
  return page;
}

std::string FloodResultPage(FakeSite site, std::string page, std::size_t bytes) {
  const bool siteA = site == FakeSite::SiteA;
  const std::string row = siteA ? "<tr><td class=t><a class=t>x</a></td></tr>"
                                : "<dl class=list_noimg><dt class=clr><a>x</a></dt></dl>";
  const std::size_t end = page.find(siteA ? "</table>" : "</div>\n</div>\n</div>\n<div id=\"sidebar\">");
  if (end == std::string::npos || page.size() + row.size() > bytes) return page;
  const std::size_t count = (bytes - page.size()) / row.size();
  std::string rows;
  rows.reserve(count * row.size());
  for (std::size_t i = 0; i < count; ++i) rows += row;
  page.insert(end, rows);
  return page;
}

std::string NotFoundPage(FakeSite site) {
  return Head("404", "") + "<body><h1>页面不存在</h1><p>" +
         (site == FakeSite::SiteA ? "SiteA" : "SiteB") + "</p></body></html>\n";
}
