#include "search/Listing.h"
#include "search/ListingDateKey.h"
#include "search/ProgramTexts.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// 3: so many minutes ago, 2: so many hours ago, 1: a month and a day.
int DateClass(const std::string& date) {
  if (date.find(kTextMinutesMarker) != std::string::npos) return 3;
  if (date.find(kTextHoursMarker) != std::string::npos) return 2;
  return 1;
}

// The leading decimal number, as "%d" reads it, without its undefined
// overflow: out-of-range values saturate, and a text without one counts as 0.
long LeadingNumber(const std::string& date) {
  long value = std::strtol(date.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return value;
}

// At most two digits of month, a "-", at most two digits of day; what is
// missing stays 0, so a four-digit year reads as its first two digits.
void ReadMonthDay(const std::string& date, int& month, int& day) {
  month = 0;
  day = 0;
  std::sscanf(date.c_str(), "%2d-%2d", &month, &day);
}

void ExchangeContents(Listing& a, Listing& b) {
  std::swap(a.title, b.title);
  std::swap(a.price, b.price);
  std::swap(a.date, b.date);
  std::swap(a.link, b.link);
  std::swap(a.community, b.community);
}

}  // namespace

ListingDateKey ReadListingDateKey(const std::string& date) {
  ListingDateKey key{DateClass(date), 0, 0};
  if (key.dateClass == 1) {
    int month, day;
    ReadMonthDay(date, month, day);
    key.first = month;
    key.second = day;
  } else {
    key.first = LeadingNumber(date);
  }
  return key;
}

int CompareListingDateKeys(const ListingDateKey& a, const ListingDateKey& b) {
  if (a.dateClass != b.dateClass) return a.dateClass < b.dateClass ? -1 : 1;
  if (a.dateClass == 1) {
    if (a.first != b.first) return a.first < b.first ? -1 : 1;
    return a.second < b.second ? -1 : 1;
  }
  // More minutes or hours ago is older.
  return a.first > b.first ? -1 : 1;
}

int CompareListingDates(std::string a, std::string b) {
  return CompareListingDateKeys(ReadListingDateKey(a), ReadListingDateKey(b));
}

// The exchange sort over every pair once. Each date is read once: its key
// travels with the contents it belongs to, so the pairs compared and the
// exchanges made are those of comparing the date texts themselves.
int SortListingsByDate(Listing* head) {
  std::vector<std::pair<Listing*, ListingDateKey>> entries;
  for (Listing* p = head; p; p = p->next) entries.emplace_back(p, ReadListingDateKey(p->date));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (CompareListingDateKeys(entries[i].second, entries[j].second) < 0) {
        ExchangeContents(*entries[i].first, *entries[j].first);
        std::swap(entries[i].second, entries[j].second);
      }
    }
  }
  return 1;
}
