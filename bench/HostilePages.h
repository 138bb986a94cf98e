#pragma once

#include "bench/BenchPages.h"

#include <cstddef>
#include <string>

// What fills a sized result page after its first few advertisements.
enum class PageFill {
  Listings,         // more honest advertisements: the ordinary page
  DeepNesting,      // elements opened and never closed
  StrayEndTags,     // half open elements, half end tags that close none of them
  NestedAnchors,    // title links each holding the next row, closed at the end
  HugeAttribute,    // one anchor attribute as long as the rest of the page
  ManyAttributes,   // one anchor with as many attributes as fit
  UnclosedComment,  // a comment running to the page's end, rows inside
  UnclosedScript,   // a script running to the page's end, rows inside
};

struct PageFillName {
  PageFill fill;
  const char* name;
};
extern const PageFillName kPageFills[8];

// A result page of at most `bytes` bytes (UTF-8) and close to it: for
// Listings as many advertisements as fit, otherwise three advertisements
// followed by the fill inside the list of advertisements (and, for the
// unclosed fills, nothing after it).
std::string MakeSizedPage(BenchSite site, PageFill fill, std::size_t bytes);
