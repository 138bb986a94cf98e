#include "search/Listing.h"
#include "search/ProgramTexts.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

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

int CompareListingDates(std::string a, std::string b) {
  int classA = DateClass(a);
  int classB = DateClass(b);
  if (classA != classB) return classA < classB ? -1 : 1;
  if (classA == 1) {
    int monthA, dayA, monthB, dayB;
    ReadMonthDay(a, monthA, dayA);
    ReadMonthDay(b, monthB, dayB);
    if (monthA != monthB) return monthA < monthB ? -1 : 1;
    return dayA < dayB ? -1 : 1;
  }
  // More minutes or hours ago is older.
  return LeadingNumber(a) > LeadingNumber(b) ? -1 : 1;
}

int SortListingsByDate(Listing* head) {
  for (Listing* p = head; p; p = p->next) {
    for (Listing* q = p->next; q; q = q->next) {
      if (CompareListingDates(p->date, q->date) < 0) ExchangeContents(*p, *q);
    }
  }
  return 1;
}
