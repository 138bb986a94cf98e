#pragma once

#include <string>

enum class BenchSite { SiteA, SiteB };

// A result page as the site sends it (UTF-8), with about listingCount
// advertisements in the fake sites' layout plus the scripts real pages carry.
std::string MakeResultPage(BenchSite site, int listingCount);
