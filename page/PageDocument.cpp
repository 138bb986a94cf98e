#include "page/PageDocument.h"

using htmlcxx::HTML::Node;
using TreeNode = tree_node_<Node>;

namespace {

// Only elements take part in tag tests: the parser stores a comment's whole
// text as its tag name, and a comment reading "td" is no cell.
bool IsElement(const Node& node) { return node.isTag() && !node.isComment(); }

bool ExactTag(const Node& node, const std::string& tag) {
  return IsElement(node) && node.tagName() == tag;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares as NUL-terminated texts, folding only A-Z, so GBK bytes must be equal.
bool EqualIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (FoldAscii(*a) != FoldAscii(*b)) return false;
  }
  return *a == *b;
}

bool CaseBlindTag(const Node& node, const std::string& tag) {
  return IsElement(node) && EqualIgnoringAsciiCase(node.tagName().c_str(), tag.c_str());
}

bool IsNull(NodeHandle handle) { return handle.node == nullptr; }

// The first child, first to last, that passes test; null when none does.
// A test that always says no makes these plain walks, for the collecting searches.
template <typename Test>
TreeNode* FirstChild(NodeHandle start, Test test) {
  if (IsNull(start)) return nullptr;
  for (TreeNode* child = start.node->first_child; child; child = child->next_sibling) {
    if (test(child)) return child;
    if (child == start.node->last_child) break;
  }
  return nullptr;
}

// The first node below start, in pre-order and start excluded, that passes test.
template <typename Test>
TreeNode* FirstDescendant(NodeHandle start, Test test) {
  if (IsNull(start)) return nullptr;
  TreeNode* top = start.node;
  TreeNode* current = top->first_child;
  while (current) {
    if (test(current)) return current;
    if (current->first_child) {
      current = current->first_child;
      continue;
    }
    while (current != top && current == current->parent->last_child) current = current->parent;
    if (current == top) break;
    current = current->next_sibling;
  }
  return nullptr;
}

bool SetIfFound(TreeNode* match, NodeHandle& out) {
  if (match) out = NodeHandle(match);
  return match != nullptr;
}

}  // namespace

void PageDocument::LimitElements(const std::string& tag, std::size_t most) {
  limitTag_ = tag;
  limitLeft_ = most;
}

bool PageDocument::PastElementLimit(const Node& node) {
  if (limitTag_.empty() || !CaseBlindTag(node, limitTag_)) return false;
  if (limitLeft_ == 0) return true;
  --limitLeft_;
  return false;
}

// Whole-value, case-blind; an absent attribute reads as the empty text.
bool PageDocument::AttrMatches(TreeNode* node, const std::string& attr, const std::string& value) {
  return EqualIgnoringAsciiCase(AttributeValue(NodeHandle(node), attr).c_str(), value.c_str());
}

bool PageDocument::FindBody(NodeHandle& out) {
  for (NodeHandle it = mHtmlTree.begin(); it != mHtmlTree.end(); ++it) {
    if (ExactTag(*it, "body")) {
      out = it;
      return true;
    }
  }
  return false;
}

bool PageDocument::FindChild(NodeHandle start, const std::string& tag, NodeHandle& out) {
  return SetIfFound(FirstChild(start, [&](TreeNode* n) { return ExactTag(n->data, tag); }), out);
}

bool PageDocument::FindDescendant(NodeHandle start, const std::string& tag, NodeHandle& out) {
  return SetIfFound(FirstDescendant(start, [&](TreeNode* n) { return ExactTag(n->data, tag); }), out);
}

bool PageDocument::FindChildWithAttr(NodeHandle start, const std::string& tag, const std::string& attr,
                                     const std::string& value, NodeHandle& out) {
  auto test = [&](TreeNode* n) { return ExactTag(n->data, tag) && AttrMatches(n, attr, value); };
  return SetIfFound(FirstChild(start, test), out);
}

bool PageDocument::FindDescendantWithAttr(NodeHandle start, const std::string& tag,
                                          const std::string& attr, const std::string& value,
                                          NodeHandle& out) {
  auto test = [&](TreeNode* n) { return ExactTag(n->data, tag) && AttrMatches(n, attr, value); };
  return SetIfFound(FirstDescendant(start, test), out);
}

bool PageDocument::CollectChildrenWithAttr(NodeHandle start, const std::string& tag,
                                           const std::string& attr, const std::string& value,
                                           NodeList& result) {
  FirstChild(start, [&](TreeNode* n) {
    if (CaseBlindTag(n->data, tag) && AttrMatches(n, attr, value)) result.emplace_back(n);
    return false;
  });
  return true;
}

bool PageDocument::CollectDescendants(NodeHandle start, const std::string& tag, NodeList& result) {
  FirstDescendant(start, [&](TreeNode* n) {
    if (ExactTag(n->data, tag)) result.emplace_back(n);
    return false;
  });
  return true;
}

bool PageDocument::GetInnerHtml(const std::string& pageText, NodeHandle node, std::string& out,
                                std::size_t end) {
  out.clear();
  if (IsNull(node)) return true;
  const Node& n = *node;
  std::size_t open = n.text().size();
  std::size_t close = n.closingText().size();
  std::size_t begin = static_cast<std::size_t>(n.offset()) + open;
  std::size_t length = n.length();
  // A node that does not lie within this text cannot be cut: nothing inside.
  if (length < open + close || begin > pageText.size()) return true;
  std::size_t inner = length - close - open;
  if (end < begin + inner) inner = end > begin ? end - begin : 0;
  out = pageText.substr(begin, inner);
  return true;
}
