#pragma once

#include <string>
#include <vector>

enum class FakeSite { SiteA, SiteB };
enum class FakeKind { WholeFlat, Shared };

// One advertisement of the fake sites, in UTF-8: how the result page writes it
// and what a client that reads the page right should list for it.
struct FakeListing {
  std::string titleHtml;
  std::string priceHtml;  // SiteA: the bold price cell's inner HTML
  std::string dateHtml;
  std::string href;
  std::string layout;  // SiteA's middle detail cell; empty for a row of two cells

  std::string title;
  std::string price;
  std::string date;
  std::string link;
};

// One of the twelve cities both sites serve, by host label.
struct FakeCity {
  const char* code;
  const char* name;  // UTF-8
  int rent;          // a usual monthly rent of a two-room flat, yuan
};
const std::vector<FakeCity>& FakeCities();
const FakeCity* FindFakeCity(const std::string& code);

// The host domain of a fake site, the same as the client's.
const char* FakeSiteDomain(FakeSite site);

// The advertisements on the first result page for a keyword (UTF-8), in page
// order: count of them, or two to five when count is 0. Keywords the sites do
// not know have none.
std::vector<FakeListing> FakeListingsFor(FakeSite site, const std::string& cityCode, FakeKind kind,
                                         const std::string& keyword, int count = 0);

// The advertisements put up since a page was first served, for its top:
// count of them, the latest first, all a minute old. A larger count keeps
// these below the ones it adds.
std::vector<FakeListing> FreshFakeListings(FakeSite site, const std::string& cityCode, FakeKind kind,
                                           const std::string& keyword, int count);
