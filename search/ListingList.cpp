#include "search/Listing.h"

int ListingList::AppendListing(Listing* listing) {
  if (!listing) return 1;
  listing->next = nullptr;
  if (head_)
    last_->next = listing;
  else
    head_ = listing;
  last_ = listing;
  return 1;
}

int ListingList::AppendListings(ListingList& other) {
  if (!other.head_) return 1;
  if (head_)
    last_->next = other.head_;
  else
    head_ = other.head_;
  last_ = other.last_;
  other.head_ = nullptr;
  other.last_ = nullptr;
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
  last_ = nullptr;
  return 1;
}
