#pragma once

#include <string>

// Fetches the result page at url and turns it into the local code page.
// False, with pageText untouched, when the page cannot be fetched.
bool FetchResultPage(const std::string& url, std::string& pageText);
