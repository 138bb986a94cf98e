#include "demo/sites/CollidingNames.h"

#include <functional>
#include <string_view>
#include <unordered_map>

namespace {

// The page's own tag names that share the table with the built ones.
constexpr std::size_t kOtherNames = 32;

// The bucket count the table ends with once it holds `entries` names.
std::size_t FinalBucketCount(std::size_t entries) {
  std::unordered_map<std::string, long> table;
  for (std::size_t i = 0; i < entries; ++i) table[std::to_string(i)];
  return table.bucket_count();
}

// Counts through seven-letter names, "aaaaaaa" first.
void NextName(std::string& name) {
  for (std::size_t k = name.size(); k-- > 0;) {
    if (++name[k] <= 'z') return;
    name[k] = 'a';
  }
}

}  // namespace

std::string CollidingNamesMarkup(std::size_t names, std::size_t bytes) {
  const std::size_t buckets = FinalBucketCount(names + kOtherNames);
  const std::hash<std::string_view> hash;
  std::string name = "aaaaaaa";
  const std::size_t bucket = hash(name) % buckets;
  std::string markup;
  std::string stray;
  for (std::size_t found = 0; found <= names; NextName(name)) {
    if (hash(name) % buckets != bucket) continue;
    if (found++ < names) markup += "<" + name + ">";
    else stray = "</" + name + ">";
  }
  while (markup.size() + stray.size() <= bytes) markup += stray;
  return markup;
}
