#pragma once

#include <cstddef>
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

// The page with a statistics table after its <body> tag that brings it to
// about `bytes` bytes (UTF-8), written as some generators write one: a cell
// per line, each a two-character number, 24 cells a row.
std::string WithShortCellTable(std::string page, std::size_t bytes);
