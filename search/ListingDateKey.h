#pragma once

#include <string>

// What the date comparison reads of a date text: its class (3 minutes ago,
// 2 hours ago, 1 a month and a day), then month and day (class 1) or the
// leading number (classes 2 and 3). Read once, it serves many comparisons.
struct ListingDateKey {
  int dateClass;
  long first;
  long second;
};

ListingDateKey ReadListingDateKey(const std::string& date);
// CompareListingDates on the texts the keys were read from: -1 when a is
// older than b, otherwise +1.
int CompareListingDateKeys(const ListingDateKey& a, const ListingDateKey& b);
