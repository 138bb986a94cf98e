#pragma once

#include <string>

// How a row stands against what earlier searches listed: Plain when nothing
// is known of it (no memory, or a link that cannot be remembered).
enum class ListingMark { Plain, New, Seen, Opened };

// One rental advertisement found on a result page. Texts are in the local code page.
struct Listing {
  std::string title;
  std::string price;
  std::string date;
  std::string link;
  std::string community;  // the keyword that found it, as typed
  ListingMark mark = ListingMark::Plain;  // set once the search is sorted
  Listing* next = nullptr;
};

// The Listings of the current search: a singly linked chain, in the order
// appended. Owns every Listing appended to it. It remembers its last Listing
// only so that appending to a long chain does not walk it each time.
class ListingList {
public:
  ListingList() = default;
  ListingList(const ListingList&) = delete;
  ListingList& operator=(const ListingList&) = delete;
  ~ListingList() { ClearListings(); }

  int AppendListing(Listing* listing);  // takes ownership; 1
  int AppendListings(ListingList& other);  // takes all of other's, leaving it empty; 1
  int ClearListings();                  // 1
  Listing* Head() const { return head_; }

private:
  Listing* head_ = nullptr;
  Listing* last_ = nullptr;
};

// -1 when date a is older than date b, otherwise +1; never 0.
int CompareListingDates(std::string a, std::string b);
// Newest first, exchanging the contents of Listings; 1.
int SortListingsByDate(Listing* head);
