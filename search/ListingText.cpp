#include "search/ListingText.h"

#include <algorithm>

std::string RemoveSpaces(const std::string& text) {
  std::string result = text;
  result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
  return result;
}

std::string RemoveMarkupSpan(const std::string& text) {
  std::size_t first = text.find('<');
  std::size_t last = text.rfind('>');
  if (first == std::string::npos || last == std::string::npos || last < first) return text;
  return text.substr(0, first) + text.substr(last + 1);
}
