#pragma once

#include "search/SiteTemplates.h"

#include <string>

// The longest UTF-8 keyword that the encoded keyword holds: 66 bytes make
// 198 characters, which with the terminator fill the 200-byte field.
constexpr std::size_t kMaxKeywordUtf8Bytes = 66;

// The keyword (local code page) as UTF-8 with every byte written "%XX". A
// keyword longer than kMaxKeywordUtf8Bytes in UTF-8 is cut after its last
// whole character that fits.
std::string EncodeKeyword(const std::string& keyword);

// prefix + template + encoded keyword, and "/" after it for SiteB.
std::string BuildRequestUrl(const std::string& prefix, const std::string& pathTemplate,
                            const std::string& keyword, Site site);

// A SiteB listing's address: the city's prefix, "." and SiteB's domain, then
// the href exactly as the page gives it.
std::string MakeSiteBLink(const std::string& prefix, const std::string& href);
