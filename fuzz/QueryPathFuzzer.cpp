// Selector text and page text through QueryPath and the page searches.
// Input: the selector, a NUL byte, then the page.
#include "page/PageDocument.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t split = input.find('\0');
  std::string selector = input.substr(0, split);
  std::string page = split == std::string::npos ? std::string() : input.substr(split + 1);

  PageDocument doc;
  doc.parseTree(page);
  NodeHandle body;
  if (!doc.FindBody(body)) body = doc.getTree().begin();
  NodeHandle found;
  if (doc.QueryPath(body, selector, found)) {
    std::string inner;
    doc.GetInnerHtml(page, found, inner);
    found->parseAttributes();
    NodeList all;
    doc.CollectDescendants(found, found->tagName(), all);
    doc.CollectChildrenWithAttr(found, "td", "class", "tc", all);
    for (NodeHandle node : all) doc.GetInnerHtml(page, node, inner);
  }
  return 0;
}
