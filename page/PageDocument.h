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
  // The raw source between the element's opening and closing tags.
  bool GetInnerHtml(const std::string& pageText, NodeHandle node, std::string& out);

  // Follows a selector such as "<td.t><a.t>" from start; see PathQuery.cpp.
  bool QueryPath(NodeHandle start, const std::string& selector, NodeHandle& out);
};
