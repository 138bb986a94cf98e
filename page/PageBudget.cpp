#include "page/PageDocument.h"

#include <algorithm>

// How much of the heap one page's tree and attribute maps may take, so that
// no page, however it is built, needs much more memory than its size.

using htmlcxx::HTML::Node;
using TreeNode = tree_node_<Node>;

namespace {

// Bytes of tree per byte of page text, and a floor for small pages. An
// element costs some 200 bytes and keeps copies of its tags, and a text costs
// nothing (see foundText), so the tree's size follows the density of the
// tags. Ordinary result pages take 6 times their text; the densest honest
// markup, a table of two-character cells written one a line, 18 times, under
// two fifths of this. Only markup built to be denser, up to some 68 times for
// a one-letter tag again and again, is cut; and since time follows the nodes
// too, such a page is still read in a fraction of a second.
constexpr std::size_t kTreeBytesPerPageByte = 48;
constexpr std::size_t kTreeBytesFloor = 64 * 1024;
// Attribute maps stop being kept while this much of the budget is left, for
// the Listings read from the page.
constexpr std::size_t kReservePerPageByte = 4;
// One entry among the counts of open elements, besides its name: the map's
// own node (links and colour) and the pair.
constexpr std::size_t kOpenCountBytes = 32 + sizeof(std::pair<const std::string, long>);

// What a node's attribute map takes: per pair, the map's own node (links
// and colour) and the two texts.
std::size_t AttributeMapBytes(const Node& node) {
  constexpr std::size_t kPairBytes = 32 + sizeof(std::pair<std::string, std::string>);
  std::size_t bytes = 0;
  for (const auto& pair : node.attributes()) bytes += kPairBytes + pair.first.size() + pair.second.size();
  return bytes;
}

}  // namespace

const tree<Node>& PageDocument::parseTree(const std::string& pageText) {
  treeAllowed_ = kTreeBytesFloor + kTreeBytesPerPageByte * pageText.size();
  treeBudget_ = treeAllowed_;
  reserve_ = kReservePerPageByte * pageText.size();
  pageCut_ = false;
  return ParserDom::parseTree(pageText);
}

// Charges what the node will cost the tree; once a node does not fit, it and
// everything after it stay out, so the tree holds a whole beginning of the
// page, and the parser reads no further.
bool PageDocument::Afford(const Node& node) {
  std::size_t cost = sizeof(TreeNode) + node.text().size() + node.tagName().size();
  if (pageCut_ || cost > treeBudget_) {
    pageCut_ = true;
    mStopped = true;
    return false;
  }
  treeBudget_ -= cost;
  return true;
}

// An element's end tag sets its closing text; the cut came before one that has none.
bool PageDocument::OpenAtCut(NodeHandle element) const {
  return pageCut_ && element.node != nullptr && element->closingText().empty();
}

// An end tag adds a node when it closes nothing, so it is charged as one;
// when it closes an element it only adds its text there, and the rest
// comes back. A tag name never open before adds an entry to the counts of
// open elements.
void PageDocument::foundTag(Node node, bool isEnd) {
  if (!isEnd && PastElementLimit(node)) pageCut_ = true;
  if (!Afford(node)) return;
  NodeHandle open = mCurrentState;
  std::size_t names = mOpenCounts.size();
  ParserDom::foundTag(node, isEnd);
  if (isEnd && mCurrentState != open) treeBudget_ += sizeof(TreeNode) + node.tagName().size();
  if (mOpenCounts.size() > names) treeBudget_ -= std::min(treeBudget_, kOpenCountBytes + node.tagName().size());
}

// Texts get no node: the searches test only elements and read what lies
// between tags from the page by offsets, so nothing would read it, and a
// table written a short cell a line would pay two nodes more for every cell.
void PageDocument::foundText(Node) {}

void PageDocument::foundComment(Node node) {
  if (Afford(node)) ParserDom::foundComment(node);
}

// Parsing again would only insert the same pairs once more, so a node whose
// attributes are already in its map is not parsed again. The maps share the
// tree's budget: once it is down to the reserve, attributes are read from a
// copy of the tag and not kept.
std::string PageDocument::AttributeValue(NodeHandle node, const std::string& name) {
  if (node.node == nullptr) return std::string();
  Node& n = *node;
  if (n.attributes().empty()) {
    if (treeBudget_ <= reserve_) {
      Node tag;
      tag.text(n.text());
      tag.isTag(n.isTag());
      tag.parseAttributes();
      return tag.attribute(name).second;
    }
    n.parseAttributes();
    treeBudget_ -= std::min(treeBudget_ - reserve_, AttributeMapBytes(n));
  }
  return n.attribute(name).second;
}
