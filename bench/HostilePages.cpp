#include "bench/HostilePages.h"

namespace {

// One site's advertisement markup, cut where the hostile fills need it.
struct RowShape {
  const char* anchorOpen;  // the row up to the title link's attributes
  const char* rowRest;     // from the link's end to the row's end
  const char* close;       // the end tags of the link and what holds it
  const char* lastRowEnd;  // the fill goes right after the last of these
};

const RowShape kSiteA = {
    "<tr><td class=\"t\"><a class=\"t\" href=\"/zufang/1.shtml\"",
    "</a></td><td class=\"tc\"><b>1500</b>元/月</td><td class=\"tc\">05-06</td></tr>\n",
    "</a></td></tr>", "</tr>\n"};
const RowShape kSiteB = {
    "<dl class=\"list_noimg\"><dt class=\"clr\"><a href=\"/fang/1.html\"",
    "</a></dt><dd class=\"price\">1500元/月</dd><dd class=\"time\">05-06</dd></dl>\n",
    "</a></dt></dl>", "</dl>\n"};

constexpr int kLeadingAdvertisements = 3;

// Appends unit to text as long as text stays within limit.
void FillWith(std::string& text, const std::string& unit, std::size_t limit) {
  while (text.size() + unit.size() <= limit) text += unit;
}

std::string Fill(const RowShape& row, PageFill fill, std::size_t bytes) {
  const std::string anchor = std::string(row.anchorOpen) + ">title";
  const std::string honestRow = anchor + row.rowRest;
  std::string part;
  switch (fill) {
    case PageFill::Listings:
      break;
    case PageFill::DeepNesting:
      FillWith(part, "<font>", bytes);
      break;
    case PageFill::StrayEndTags:
      FillWith(part, "<font>", bytes / 2);
      FillWith(part, "</p>", bytes);
      break;
    case PageFill::NestedAnchors: {
      std::size_t depth = bytes / (anchor.size() + std::string(row.close).size());
      for (std::size_t i = 0; i < depth; ++i) part += anchor;
      for (std::size_t i = 0; i < depth; ++i) part += row.close;
      break;
    }
    case PageFill::HugeAttribute: {
      std::string end = std::string("\">title") + row.close;
      part = std::string(row.anchorOpen) + " title=\"";
      if (bytes > part.size() + end.size()) part.append(bytes - part.size() - end.size(), 'x');
      part += end;
      break;
    }
    case PageFill::ManyAttributes: {
      std::string end = std::string(">title") + row.close;
      part = row.anchorOpen;
      for (int i = 0; part.size() + end.size() + 16 <= bytes; ++i) part += " d" + std::to_string(i) + "=\"v\"";
      part += end;
      break;
    }
    case PageFill::UnclosedComment:
      part = "<!--";
      FillWith(part, honestRow, bytes);
      break;
    case PageFill::UnclosedScript:
      part = "<script>";
      FillWith(part, honestRow, bytes);
      break;
  }
  return part;
}

std::string PageOfListings(BenchSite site, std::size_t bytes) {
  // Pages grow by the same few hundred bytes per advertisement: estimate
  // from a small page, then step down until the page fits.
  const std::size_t empty = MakeResultPage(site, 0).size();
  const std::size_t perListing = (MakeResultPage(site, 100).size() - empty) / 100;
  int count = bytes > empty ? static_cast<int>((bytes - empty) / perListing) : 0;
  std::string page = MakeResultPage(site, count);
  while (page.size() > bytes && count > 0) page = MakeResultPage(site, --count);
  return page;
}

}  // namespace

const PageFillName kPageFills[8] = {
    {PageFill::Listings, "ordinary"},           {PageFill::DeepNesting, "deep nesting"},
    {PageFill::StrayEndTags, "stray end tags"}, {PageFill::NestedAnchors, "nested anchors"},
    {PageFill::HugeAttribute, "huge attribute"}, {PageFill::ManyAttributes, "many attributes"},
    {PageFill::UnclosedComment, "unclosed comment"}, {PageFill::UnclosedScript, "unclosed script"},
};

std::string MakeSizedPage(BenchSite site, PageFill fill, std::size_t bytes) {
  if (fill == PageFill::Listings) return PageOfListings(site, bytes);
  const RowShape& row = site == BenchSite::SiteA ? kSiteA : kSiteB;
  std::string page = MakeResultPage(site, kLeadingAdvertisements);
  std::size_t at = page.rfind(row.lastRowEnd) + std::string(row.lastRowEnd).size();
  // Left open, these run to the end of the page, as in a page cut short:
  // the page's own later end tags would otherwise close them.
  if (fill == PageFill::UnclosedComment || fill == PageFill::UnclosedScript) page.erase(at);
  std::size_t room = bytes > page.size() ? bytes - page.size() : 0;
  page.insert(at, Fill(row, fill, room));
  return page;
}
