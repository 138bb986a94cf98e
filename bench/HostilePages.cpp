#include "bench/HostilePages.h"

#include "demo/sites/CollidingNames.h"
#include "demo/sites/DensePages.h"
#include "demo/sites/ResultPages.h"

namespace {

// One site's advertisement markup, cut where the hostile fills need it.
struct RowShape {
  const char* anchorOpen;  // the row up to the title link's attributes
  const char* rowRest;     // from the link's end to the row's end
  const char* close;       // the end tags of the link and what holds it
  const char* lastRowEnd;  // the fill goes right after the last of these
  const char* advertMark;  // once per advertisement of an honest page
};

const RowShape kSiteA = {
    "<tr><td class=\"t\"><a class=\"t\" href=\"/zufang/1.shtml\"",
    "</a></td><td class=\"tc\"><b>1500</b>元/月</td><td class=\"tc\">05-06</td></tr>\n",
    "</a></td></tr>", "</tr>\n", "<a class=\"t\" href="};
const RowShape kSiteB = {
    "<dl class=\"list_noimg\"><dt class=\"clr\"><a href=\"/fang/1.html\"",
    "</a></dt><dd class=\"price\">1500元/月</dd><dd class=\"time\">05-06</dd></dl>\n",
    "</a></dt></dl>", "</dl>\n", "<dl class=\"list_noimg\">"};

constexpr int kLeadingAdvertisements = 3;
// A first result page's advertisements, after the short-cell table.
constexpr int kFirstPageAdvertisements = 60;
// Enough for every stray end tag to walk a long bucket, and few enough to
// find by brute force in seconds.
constexpr std::size_t kCollidingNames = 20000;

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
    case PageFill::Flood:
    case PageFill::DenseIndented:
    case PageFill::DenseLines:
    case PageFill::DenseCompact:
    case PageFill::ShortCells:
      break;
    case PageFill::DeepNesting:
      FillWith(part, "<font>", bytes);
      break;
    case PageFill::DensestMarkup:
      FillWith(part, "<u>", bytes);
      break;
    case PageFill::StrayEndTags:
      FillWith(part, "<font>", bytes / 2);
      FillWith(part, "</p>", bytes);
      break;
    case PageFill::CollidingNames:
      part = CollidingNamesMarkup(kCollidingNames, bytes);
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

// The page of as many advertisements as fit in `bytes`, from make(count).
// Pages grow by about the same bytes per advertisement: estimate from two
// small pages, then step down until the page fits.
template <typename MakePage>
std::string LargestPageWithin(std::size_t bytes, MakePage make) {
  const std::size_t empty = make(0).size();
  const std::size_t perAdvert = (make(100).size() - empty) / 100;
  int count = bytes > empty ? static_cast<int>((bytes - empty) / perAdvert) : 0;
  std::string page = make(count);
  while (page.size() > bytes && count > 0) page = make(--count);
  return page;
}

}  // namespace

// The district menu of a dense page: a city's districts and neighbourhoods.
constexpr int kMenuLinks = 1500;

const PageFillName kPageFills[15] = {
    {PageFill::Listings, "ordinary", true},
    {PageFill::DenseIndented, "dense, indented", true},
    {PageFill::DenseLines, "dense, lines", true},
    {PageFill::DenseCompact, "dense, compact", true},
    {PageFill::ShortCells, "short-cell table", true},
    {PageFill::DeepNesting, "deep nesting", false},
    {PageFill::DensestMarkup, "densest markup", false},
    {PageFill::StrayEndTags, "stray end tags", false},
    {PageFill::CollidingNames, "colliding names", false},
    {PageFill::NestedAnchors, "nested anchors", false},
    {PageFill::HugeAttribute, "huge attribute", false},
    {PageFill::ManyAttributes, "many attributes", false},
    {PageFill::UnclosedComment, "unclosed comment", false},
    {PageFill::UnclosedScript, "unclosed script", false},
    {PageFill::Flood, "flood", false},
};

int CountAdvertisements(BenchSite site, const std::string& page) {
  const std::string mark = (site == BenchSite::SiteA ? kSiteA : kSiteB).advertMark;
  int count = 0;
  for (std::size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at + 1)) ++count;
  return count;
}

std::string MakeSizedPage(BenchSite site, PageFill fill, std::size_t bytes) {
  if (fill == PageFill::Listings)
    return LargestPageWithin(bytes, [site](int count) { return MakeResultPage(site, count); });
  if (fill == PageFill::ShortCells)
    return WithShortCellTable(MakeResultPage(site, kFirstPageAdvertisements), bytes);
  if (fill == PageFill::Flood)
    return FloodResultPage(site == BenchSite::SiteA ? FakeSite::SiteA : FakeSite::SiteB,
                           MakeResultPage(site, kLeadingAdvertisements), bytes);
  if (fill == PageFill::DenseIndented || fill == PageFill::DenseLines || fill == PageFill::DenseCompact) {
    const DenseLayout layout = fill == PageFill::DenseIndented ? DenseLayout::Indented
                               : fill == PageFill::DenseLines  ? DenseLayout::Lines
                                                               : DenseLayout::Compact;
    auto make = site == BenchSite::SiteA ? DenseSiteAPage : DenseSiteBPage;
    return LargestPageWithin(bytes, [&](int count) { return make(count, kMenuLinks, layout); });
  }
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
