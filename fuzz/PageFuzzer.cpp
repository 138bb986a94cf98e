// A whole page of up to 2 MiB as the site parsers see it after conversion:
// the tree, every tag's attributes, then both site parsers. The first byte
// picks the city row. Large inputs are the point: a page whose cost grows
// faster than its size shows up as a slow input.
#include "page/PageDocument.h"
#include "search/CityTable.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int row = data[0] % kCityCount;
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);

  PageDocument doc;
  const auto& tree = doc.parseTree(page);
  for (NodeHandle node = tree.begin(); node != tree.end(); ++node)
    if (node->isTag()) node->parseAttributes();

  ListingList list;
  ReadSiteAPage(page, "k", row, list);
  ReadSiteBPage(page, "k", kCityTable[row].prefix, list);
  return 0;
}
