#pragma once

#include "demo/sites/FakeListings.h"

#include <string>

// Whole result pages in UTF-8, laid out as each site lays out its own, from the
// page's advertisements; an empty list gives the site's "nothing found" page.
std::string SiteAResultPage(const FakeCity& city, FakeKind kind, const std::string& keyword,
                            const std::vector<FakeListing>& listings);
std::string SiteBResultPage(const FakeCity& city, FakeKind kind, const std::string& keyword,
                            const std::vector<FakeListing>& listings);
// The page with minimal advertisements (a title link of "x", nothing else)
// added after its own until it holds `bytes` bytes, as a hostile site serves.
std::string FloodResultPage(FakeSite site, std::string page, std::size_t bytes);
// Any address a site does not have.
std::string NotFoundPage(FakeSite site);
