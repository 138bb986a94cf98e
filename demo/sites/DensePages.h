#pragma once

#include <string>

enum class DenseLayout {
  Indented,  // every element on a line of its own, indented by tabs
  Lines,     // every element on a line of its own, not indented: the densest
  Compact,   // no white space between tags at all
};

// Honest result pages (UTF-8) as dense as ordinary markup gets: the site's own
// advertisement markup with one-character texts and eight small inline
// elements (badges, icons) beside each advertisement, after a menu of short
// district links. Beijing's layout on SiteA; the advertisements' titles are
// "x", prices "1" and dates "1", and the links count up from 1.
std::string DenseSiteAPage(int advertisements, int menuLinks, DenseLayout layout);
std::string DenseSiteBPage(int advertisements, int menuLinks, DenseLayout layout);

