#pragma once

// The two listing sites. Requests go to "<city code>.<domain>" on port 80; the
// domains are fixed when the program is built.
enum class Site { SiteA, SiteB };

extern const char kSiteADomain[];
extern const char kSiteBDomain[];

// Path templates: "." + domain + path, ready for the encoded keyword (and, on
// SiteB, the closing "/").
extern const char kSiteAWholeFlatTemplate[];
extern const char kSiteASharedTemplate[];
extern const char kSiteBWholeFlatTemplate[];
extern const char kSiteBSharedTemplate[];
