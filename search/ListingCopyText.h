#pragma once

#include "search/Listing.h"

#include <string>
#include <vector>

// The texts the result list copies, in GBK. Each field has every run of tabs,
// carriage returns and line feeds made one blank (SiteA's titles are raw page
// markup), so a row stays one line of tab-separated fields: readable in a
// message, one row in a spreadsheet.

std::string CopyField(const std::string& text);
// Title, community, price, date and link, tab-separated, ending in CRLF.
std::string CopyRowLine(const Listing& listing);
// The heading line, then each row's line, in the order given.
std::string CopyRowsText(const std::vector<const Listing*>& rows);
