#pragma once

#include "search/Listing.h"
#include "search/SearchJob.h"

#include <string>
#include <vector>

using Rows = std::vector<std::string>;

// Each Listing of the list as "title|price|date|link|community", in list order.
inline Rows FormatListings(const ListingList& list) {
  Rows rows;
  for (Listing* l = list.Head(); l; l = l->next)
    rows.push_back(l->title + "|" + l->price + "|" + l->date + "|" + l->link + "|" + l->community);
  return rows;
}

inline SearchChoices Choices(bool siteA, bool siteB, bool wholeFlat, bool sharedFlat) {
  SearchChoices choices;
  choices.siteA = siteA;
  choices.siteB = siteB;
  choices.wholeFlat = wholeFlat;
  choices.sharedFlat = sharedFlat;
  return choices;
}
