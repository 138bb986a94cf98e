#include "search/ListingOrder.h"

#include "search/ListingDateKey.h"

#include <algorithm>

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number a price text starts with, after any white space (SiteB's prices
// keep the page's line breaks): digits with a decimal point allowed, whatever
// follows them. No sign, no exponent, no locale: a page's text, not a C number.
bool ReadLeadingPrice(const std::string& price, double& value) {
  std::size_t i = 0;
  while (i < price.size() && IsWhiteSpace(price[i])) ++i;
  bool digits = false;
  double number = 0;
  for (; i < price.size() && IsDigit(price[i]); ++i, digits = true) number = number * 10 + (price[i] - '0');
  if (i < price.size() && price[i] == '.') {
    double scale = 0.1;
    for (++i; i < price.size() && IsDigit(price[i]); ++i, scale /= 10, digits = true)
      number += (price[i] - '0') * scale;
  }
  if (digits) value = number;
  return digits;
}

// A row with what its column's comparison reads, read once.
struct KeyedRow {
  const Listing* listing;
  bool priced;
  double price;
  ListingDateKey date;
};

// a before b in ascending order. std::string compares its bytes as unsigned
// char, which is GBK's order.
bool Ascending(const KeyedRow& a, const KeyedRow& b, ListingColumn column) {
  switch (column) {
    case ListingColumn::Title: return a.listing->title < b.listing->title;
    case ListingColumn::Community: return a.listing->community < b.listing->community;
    case ListingColumn::Price: return a.priced && b.priced && a.price < b.price;
    case ListingColumn::Date: return CompareListingDateKeys(a.date, b.date) < 0;
  }
  return false;
}

}  // namespace

void OrderListings(std::vector<const Listing*>& rows, ListingColumn column, bool descending) {
  std::vector<KeyedRow> keyed;
  keyed.reserve(rows.size());
  for (const Listing* listing : rows) {
    KeyedRow row{listing, false, 0, {}};
    if (column == ListingColumn::Price) row.priced = ReadLeadingPrice(listing->price, row.price);
    if (column == ListingColumn::Date) row.date = ReadListingDateKey(listing->date);
    keyed.push_back(row);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [column, descending](const KeyedRow& a, const KeyedRow& b) {
    if (a.priced != b.priced) return a.priced;
    return descending ? Ascending(b, a, column) : Ascending(a, b, column);
  });
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].listing;
}
