#include "search/SiteAParser.h"

#include "page/PageDocument.h"
#include "search/CityTable.h"
#include "search/ListingText.h"
#include "search/ProgramTexts.h"
#include "search/RequestUrl.h"
#include "search/ResultPage.h"

#include <memory>
#include <vector>

namespace {

const char kBeijingTableClass[] = "tbimg";
const char kCityTableClass[] = "tblist";
const char kAnchorPath[] = "<td.t><a.t>";

// A row with its title link.
struct Advert {
  NodeHandle row;
  NodeHandle anchor;
};

// A row has its price in the first detail cell and its date in the last,
// but only when it has two or three of them. No text runs past end.
void ReadDetailCells(PageDocument& doc, const std::string& pageText, NodeHandle row,
                     std::size_t end, Listing& listing) {
  NodeList cells;
  doc.CollectChildrenWithAttr(row, "td", "class", "tc", cells);
  if (cells.size() != 2 && cells.size() != 3) return;
  NodeHandle price;
  if (doc.FindChild(cells.front(), "b", price)) {
    doc.GetInnerHtml(pageText, price, listing.price, end);
    if (listing.price.empty()) listing.price = kTextNegotiable;
  }
  std::string date;
  doc.GetInnerHtml(pageText, cells.back(), date, end);
  listing.date = RemoveSpaces(date);
}

}  // namespace

void ReadSiteAPage(const std::string& pageText, const std::string& keyword, int cityRow,
                   ListingList& list, bool textWhole) {
  PageDocument doc;
  doc.LimitElements("tr", kMostAdvertTagsPerPage);
  doc.parseTree(pageText);
  if (!textWhole) doc.TextCutShort();
  NodeHandle body;
  if (!doc.FindBody(body)) return;
  const char* tableClass = ValidCityRow(cityRow) == 0 ? kBeijingTableClass : kCityTableClass;
  NodeHandle table;
  if (!doc.FindDescendantWithAttr(body, "table", "class", tableClass, table)) return;
  NodeList rows;
  doc.CollectDescendants(table, "tr", rows);
  // One more than are listed: the last listed row's texts end where it begins.
  std::vector<Advert> adverts;
  for (NodeHandle row : rows) {
    if (adverts.size() > kMostListingsPerPage) break;
    NodeHandle anchor;
    // Header and separator rows have no title link.
    if (doc.QueryPath(row, kAnchorPath, anchor)) adverts.push_back({row, anchor});
  }
  for (std::size_t i = 0; i < adverts.size() && i < kMostListingsPerPage; ++i) {
    // A row the page was cut inside would be listed with texts it never had.
    if (doc.OpenAtCut(adverts[i].row)) continue;
    // A row's texts end where the next advertisement row begins: rows nested
    // in a title or a cell would otherwise be copied into every row around them.
    std::size_t end = i + 1 < adverts.size() ? adverts[i + 1].row->offset() : std::string::npos;
    NodeHandle anchor = adverts[i].anchor;
    auto listing = std::make_unique<Listing>();
    listing->link = doc.AttributeValue(anchor, "href");
    doc.GetInnerHtml(pageText, anchor, listing->title, end);
    listing->community = keyword;
    ReadDetailCells(doc, pageText, adverts[i].row, end, *listing);
    list.AppendListing(listing.release());
  }
}

void SearchSiteA(const std::string& keyword, const std::string& prefix,
                 const std::string& pathTemplate, int cityRow, ResultPageFetcher& pages, ListingList& list) {
  AppendPageListings(list, [&](ListingList& found) {
    std::string pageText;
    bool textWhole = false;
    if (!pages.Fetch(BuildRequestUrl(prefix, pathTemplate, keyword, Site::SiteA), pageText, textWhole)) return;
    ReadSiteAPage(pageText, keyword, cityRow, found, textWhole);
  });
}
