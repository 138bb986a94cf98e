#pragma once

#include <html/ParserDom.h>

#include <string>
#include <vector>

// A node of the parsed page; a handle whose node is null means "no node".
using NodeHandle = tree<htmlcxx::HTML::Node>::iterator;
using NodeList = std::vector<NodeHandle>;

// One parsed result page with the searches the site parsers ask of it.
// Searches write their out-parameter only when they find something.
class PageDocument : public htmlcxx::HTML::ParserDom {
public:
  // Parses pageText into the tree of its elements and comments: its texts
  // get no node. The tree may take 48 times the text's size; a page that
  // would need more loses its rest, from the markup that crosses that line
  // to the end. Honest pages take at most 18 times.
  const tree<htmlcxx::HTML::Node>& parseTree(const std::string& pageText);

  bool FindBody(NodeHandle& out);
  bool FindChild(NodeHandle start, const std::string& tag, NodeHandle& out);
  bool FindDescendant(NodeHandle start, const std::string& tag, NodeHandle& out);
  bool FindChildWithAttr(NodeHandle start, const std::string& tag, const std::string& attr,
                         const std::string& value, NodeHandle& out);
  bool FindDescendantWithAttr(NodeHandle start, const std::string& tag, const std::string& attr,
                              const std::string& value, NodeHandle& out);
  bool CollectChildrenWithAttr(NodeHandle start, const std::string& tag, const std::string& attr,
                               const std::string& value, NodeList& result);
  bool CollectDescendants(NodeHandle start, const std::string& tag, NodeList& result);
  // The raw source between the element's opening and closing tags, cut at
  // offset end of pageText when that comes first.
  bool GetInnerHtml(const std::string& pageText, NodeHandle node, std::string& out,
                    std::size_t end = std::string::npos);

  // The value of the node's attribute name; empty when it has none.
  std::string AttributeValue(NodeHandle node, const std::string& name);

  // Before parseTree: the tree stops, as past its budget, at the element
  // named tag (any case) that comes after `most` of them. A reader that
  // lists a bounded number of such elements need not build a flood of them.
  void LimitElements(const std::string& tag, std::size_t most);

  // After parseTree, for a text known to stop before the page did (a body
  // cut short, broken or ended early): the page counts as cut at its end.
  void TextCutShort() { pageCut_ = true; }
  // Whether the page lost its rest (to the tree's budget, or before the text
  // came), and whether the element was still open there: its content runs
  // past what was kept.
  bool PageCut() const { return pageCut_; }
  bool OpenAtCut(NodeHandle element) const;
  // What the tree and attribute maps may take in all, and what is left of it.
  std::size_t TreeBytesAllowed() const { return treeAllowed_; }
  std::size_t TreeBytesLeft() const { return treeBudget_; }

  // Follows a selector such as "<td.t><a.t>" from start; see PathQuery.cpp.
  bool QueryPath(NodeHandle start, const std::string& selector, NodeHandle& out);

protected:
  void foundTag(htmlcxx::HTML::Node node, bool isEnd) override;
  void foundText(htmlcxx::HTML::Node node) override;
  void foundComment(htmlcxx::HTML::Node node) override;

private:
  bool Afford(const htmlcxx::HTML::Node& node);
  bool PastElementLimit(const htmlcxx::HTML::Node& node);
  bool AttrMatches(tree_node_<htmlcxx::HTML::Node>* node, const std::string& attr,
                   const std::string& value);

  std::size_t treeAllowed_ = 0;
  std::size_t treeBudget_ = 0;  // bytes the tree may still take
  std::size_t reserve_ = 0;     // the part of it attribute maps leave alone
  bool pageCut_ = false;        // the budget ran out: the rest is left out
  std::string limitTag_;        // empty: no limit
  std::size_t limitLeft_ = 0;   // elements of that name the tree may still take
};
