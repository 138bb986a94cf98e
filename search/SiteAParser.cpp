#include "search/SiteAParser.h"

#include "page/PageDocument.h"
#include "search/CityTable.h"
#include "search/ListingText.h"
#include "search/ProgramTexts.h"
#include "search/RequestUrl.h"
#include "search/ResultPage.h"

#include <memory>

namespace {

const char kBeijingTableClass[] = "tbimg";
const char kCityTableClass[] = "tblist";
const char kAnchorPath[] = "<td.t><a.t>";

// A row has its price in the first detail cell and its date in the last,
// but only when it has two or three of them.
void ReadDetailCells(PageDocument& doc, const std::string& pageText, NodeHandle row,
                     Listing& listing) {
  NodeList cells;
  doc.CollectChildrenWithAttr(row, "td", "class", "tc", cells);
  if (cells.size() != 2 && cells.size() != 3) return;
  NodeHandle price;
  if (doc.FindChild(cells.front(), "b", price)) {
    doc.GetInnerHtml(pageText, price, listing.price);
    if (listing.price.empty()) listing.price = kTextNegotiable;
  }
  std::string date;
  doc.GetInnerHtml(pageText, cells.back(), date);
  listing.date = RemoveSpaces(date);
}

}  // namespace

void ReadSiteAPage(const std::string& pageText, const std::string& keyword, int cityRow,
                   ListingList& list) {
  PageDocument doc;
  doc.parseTree(pageText);
  NodeHandle body;
  if (!doc.FindBody(body)) return;
  const char* tableClass = ValidCityRow(cityRow) == 0 ? kBeijingTableClass : kCityTableClass;
  NodeHandle table;
  if (!doc.FindDescendantWithAttr(body, "table", "class", tableClass, table)) return;
  NodeList rows;
  doc.CollectDescendants(table, "tr", rows);
  for (NodeHandle row : rows) {
    NodeHandle anchor;
    // Header and separator rows have no title link.
    if (!doc.QueryPath(row, kAnchorPath, anchor)) continue;
    auto listing = std::make_unique<Listing>();
    anchor->parseAttributes();
    listing->link = anchor->attribute("href").second;
    doc.GetInnerHtml(pageText, anchor, listing->title);
    listing->community = keyword;
    ReadDetailCells(doc, pageText, row, *listing);
    list.AppendListing(listing.release());
  }
}

void SearchSiteA(const std::string& keyword, const std::string& prefix,
                 const std::string& pathTemplate, int cityRow, ListingList& list) {
  std::string pageText;
  if (!FetchResultPage(BuildRequestUrl(prefix, pathTemplate, keyword, Site::SiteA), pageText)) return;
  ReadSiteAPage(pageText, keyword, cityRow, list);
}
