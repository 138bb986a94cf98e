#include "page/PageDocument.h"

namespace {

// One "<...>" step of a selector: a tag and at most one class or id test.
struct PathStep {
  std::string tag;
  std::string attrName;  // empty, "class" or "id"
  std::string attrValue;
};

// Reads the step whose "<" is at open; false when no ">" closes it.
// A marker takes the text before it as the tag only while the tag is empty,
// so with several markers the last one names the attribute.
bool ReadStep(const std::string& selector, std::size_t open, PathStep& step, std::size_t& next) {
  std::size_t mark = open + 1;
  for (std::size_t i = mark; i < selector.size(); ++i) {
    char c = selector[i];
    if (c == '.' || c == '#') {
      if (step.tag.empty()) step.tag = selector.substr(mark, i - mark);
      step.attrName = (c == '.') ? "class" : "id";
      mark = i + 1;
    } else if (c == '>') {
      std::string text = selector.substr(mark, i - mark);
      if (step.tag.empty()) step.tag = text;
      else step.attrValue = text;
      next = i + 1;
      return true;
    }
  }
  return false;
}

}  // namespace

bool PageDocument::QueryPath(NodeHandle start, const std::string& selector, NodeHandle& out) {
  NodeHandle current = start;
  bool descend = false;
  std::size_t pos = 0;
  for (;;) {
    std::size_t open = selector.find('<', pos);
    if (open == std::string::npos) break;
    PathStep step;
    if (!ReadStep(selector, open, step, pos)) return false;
    if (step.tag.empty()) {
      // The empty step lets the next step look among all descendants.
      descend = true;
    } else {
      NodeHandle found;
      bool ok;
      if (step.attrName.empty()) {
        ok = descend ? FindDescendant(current, step.tag, found) : FindChild(current, step.tag, found);
      } else {
        ok = descend ? FindDescendantWithAttr(current, step.tag, step.attrName, step.attrValue, found)
                     : FindChildWithAttr(current, step.tag, step.attrName, step.attrValue, found);
      }
      descend = false;
      if (!ok) return false;
      current = found;
    }
    if (pos >= selector.size()) break;
  }
  out = current;
  return true;
}
