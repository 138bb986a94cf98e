#pragma once

#include "search/Listing.h"

#include <vector>

// The result list's columns, in their order on screen.
enum class ListingColumn { Title, Community, Price, Date };

// Puts rows, given in the order shown, in the order of one column: ascending
// is by GBK bytes (pinyin order for the common characters), cheapest first or
// oldest first; descending the reverse. Rows that compare equal keep their
// order in both directions. A price goes by the number its text starts with;
// a price without one comes after every number in both directions.
void OrderListings(std::vector<const Listing*>& rows, ListingColumn column, bool descending);
