#pragma once

#include "bench/BenchPages.h"

#include <cstddef>
#include <string>

// What fills a sized result page after its first few advertisements.
enum class PageFill {
  Listings,         // more honest advertisements: the ordinary page
  DenseIndented,    // honest but dense: badges, a menu, one element per line
  DenseLines,       // the same, not indented: the densest honest markup
  DenseCompact,     // the same without white space between tags
  ShortCells,       // a large table, a two-character cell per line, before the advertisements
  DeepNesting,      // elements opened and never closed
  DensestMarkup,    // a one-letter element opened again and again
  StrayEndTags,     // half open elements, half end tags that close none of them
  CollidingNames,   // names built to share a hash bucket, then end tags of one more
  NestedAnchors,    // title links each holding the next row, closed at the end
  HugeAttribute,    // one anchor attribute as long as the rest of the page
  ManyAttributes,   // one anchor with as many attributes as fit
  UnclosedComment,  // a comment running to the page's end, rows inside
  UnclosedScript,   // a script running to the page's end, rows inside
  Flood,            // as many minimal advertisement rows as fit
};

struct PageFillName {
  PageFill fill;
  const char* name;
  bool honest;  // a page a real site could serve: it must be read whole
};
extern const PageFillName kPageFills[15];

// A result page of at most `bytes` bytes (UTF-8) and close to it: for the
// honest fills as many advertisements as fit (the short-cell page: its table
// and then 60 advertisements), otherwise three advertisements followed by the
// fill inside the list of advertisements (and, for the unclosed fills,
// nothing after it).
std::string MakeSizedPage(BenchSite site, PageFill fill, std::size_t bytes);

// The advertisements of an honest page: the rows or blocks with a title link.
int CountAdvertisements(BenchSite site, const std::string& page);
