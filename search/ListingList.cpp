#include "search/Listing.h"

int ListingList::AppendListing(Listing* listing) {
  if (!listing) return 1;
  listing->next = nullptr;
  if (!head_) {
    head_ = listing;
    return 1;
  }
  Listing* last = head_;
  while (last->next) last = last->next;
  last->next = listing;
  return 1;
}

int ListingList::ClearListings() {
  Listing* current = head_;
  while (current) {
    Listing* next = current->next;
    delete current;
    current = next;
  }
  head_ = nullptr;
  return 1;
}
