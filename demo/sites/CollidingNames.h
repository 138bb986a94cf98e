#pragma once

#include <cstddef>
#include <string>

// Markup built against a hash table of open-element counts keyed with
// libstdc++'s unsalted std::hash: `names` elements of different names, all in
// one bucket of such a table once it holds them and a page's few other names,
// left open; then, up to `bytes` bytes in all, end tags of one more such name,
// which close nothing, so each would walk the whole bucket. The names are
// found by brute force over seven-letter names, as an attacker would find
// them, and are the same on every run.
std::string CollidingNamesMarkup(std::size_t names, std::size_t bytes);
