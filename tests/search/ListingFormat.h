#pragma once

#include "search/Listing.h"

#include <string>
#include <vector>

// Each Listing of the list as "title|price|date|link|community", in list order.
inline std::vector<std::string> FormatListings(const ListingList& list) {
  std::vector<std::string> rows;
  for (Listing* l = list.Head(); l; l = l->next)
    rows.push_back(l->title + "|" + l->price + "|" + l->date + "|" + l->link + "|" + l->community);
  return rows;
}

using Rows = std::vector<std::string>;
