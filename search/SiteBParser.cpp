#include "search/SiteBParser.h"

#include "page/PageDocument.h"
#include "search/ListingText.h"
#include "search/ProgramTexts.h"
#include "search/RequestUrl.h"
#include "search/ResultPage.h"

#include <memory>

namespace {

const char kListPath[] = "<div#wrapper><div#content><div.list_border><div.list>";
const char kAnchorPath[] = "<dt.clr><a>";

// The inner HTML of the block's first "dd" of that class; empty without one.
std::string CellText(PageDocument& doc, const std::string& pageText, NodeHandle block,
                     const char* cellClass) {
  std::string text;
  NodeHandle cell;
  if (doc.FindChildWithAttr(block, "dd", "class", cellClass, cell)) doc.GetInnerHtml(pageText, cell, text);
  return text;
}

}  // namespace

void ReadSiteBPage(const std::string& pageText, const std::string& keyword,
                   const std::string& prefix, ListingList& list, bool textWhole) {
  PageDocument doc;
  doc.LimitElements("dl", kMostAdvertTagsPerPage);
  doc.parseTree(pageText);
  if (!textWhole) doc.TextCutShort();
  NodeHandle body;
  if (!doc.FindBody(body)) return;
  NodeHandle container;
  if (!doc.QueryPath(body, kListPath, container)) return;
  NodeList blocks;
  doc.CollectChildrenWithAttr(container, "dl", "class", "list_noimg", blocks);
  std::size_t listed = 0;
  for (NodeHandle block : blocks) {
    if (listed == kMostListingsPerPage) break;
    NodeHandle anchor;
    // A block the page was cut inside would be listed with texts it never had.
    if (doc.OpenAtCut(block) || !doc.QueryPath(block, kAnchorPath, anchor)) continue;
    auto listing = std::make_unique<Listing>();
    listing->link = MakeSiteBLink(prefix, doc.AttributeValue(anchor, "href"));
    std::string title;
    doc.GetInnerHtml(pageText, anchor, title);
    listing->title = RemoveMarkupSpan(RemoveSpaces(title));
    listing->community = keyword;
    // A block without a price cell reads like one with an empty cell.
    listing->price = RemoveMarkupSpan(CellText(doc, pageText, block, "price"));
    if (listing->price.empty()) listing->price = kTextNegotiable;
    listing->date = RemoveSpaces(CellText(doc, pageText, block, "time"));
    list.AppendListing(listing.release());
    ++listed;
  }
}

void SearchSiteB(const std::string& keyword, const std::string& prefix,
                 const std::string& pathTemplate, ResultPageFetcher& pages, ListingList& list) {
  AppendPageListings(list, [&](ListingList& found) {
    std::string pageText;
    bool textWhole = false;
    if (!pages.Fetch(BuildRequestUrl(prefix, pathTemplate, keyword, Site::SiteB), pageText, textWhole)) return;
    ReadSiteBPage(pageText, keyword, prefix, found, textWhole);
  });
}
