#pragma once

#include "page/PageDocument.h"

#include <string>

// A parsed page that keeps its text beside it, as the site parsers do.
struct ParsedPage {
  explicit ParsedPage(std::string html) : text(std::move(html)) { doc.parseTree(text); }

  NodeHandle Body() {
    NodeHandle body;
    doc.FindBody(body);
    return body;
  }
  std::string Inner(NodeHandle node) {
    std::string out;
    doc.GetInnerHtml(text, node, out);
    return out;
  }
  std::string Attr(NodeHandle node, const std::string& name) {
    node->parseAttributes();
    return node->attribute(name).second;
  }

  std::string text;
  PageDocument doc;
};
