#include "search/SiteTemplates.h"

const char kSiteADomain[] = NESTARI_SITEA_DOMAIN;
const char kSiteBDomain[] = NESTARI_SITEB_DOMAIN;

const char kSiteAWholeFlatTemplate[] = "." NESTARI_SITEA_DOMAIN "/nestari/0/?final=1&key=";
const char kSiteASharedTemplate[] = "." NESTARI_SITEA_DOMAIN "/hezu/0/?final=1&key=";
const char kSiteBWholeFlatTemplate[] = "." NESTARI_SITEB_DOMAIN "/fang1/a1m1/_";
const char kSiteBSharedTemplate[] = "." NESTARI_SITEB_DOMAIN "/fang3/a1/_";
