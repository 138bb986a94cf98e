#pragma once

#include <string>

// Where the current user's listing memory is kept: "Nestari" in the local
// application data folder, as a UTF-8 path; empty when the system has none.
std::string LocalMemoryFolder();
