#include "search/RequestUrl.h"

#include "net/TextConversion.h"

#include <cstdio>

namespace {

bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Cuts before the character that would cross the limit, never inside one.
std::string FitKeyword(std::string utf8) {
  if (utf8.size() <= kMaxKeywordUtf8Bytes) return utf8;
  std::size_t end = kMaxKeywordUtf8Bytes;
  while (end > 0 && IsUtf8Continuation(static_cast<unsigned char>(utf8[end]))) --end;
  utf8.resize(end);
  return utf8;
}

}  // namespace

std::string EncodeKeyword(const std::string& keyword) {
  std::string utf8 = FitKeyword(LocalToUtf8(keyword.c_str()));
  std::string encoded;
  encoded.reserve(utf8.size() * 3);
  for (unsigned char byte : utf8) {
    char escape[4];
    std::snprintf(escape, sizeof escape, "%%%02X", byte);
    encoded += escape;
  }
  return encoded;
}

std::string BuildRequestUrl(const std::string& prefix, const std::string& pathTemplate,
                            const std::string& keyword, Site site) {
  std::string url = prefix + pathTemplate + EncodeKeyword(keyword);
  if (site == Site::SiteB) url += "/";
  return url;
}

std::string MakeSiteBLink(const std::string& prefix, const std::string& href) {
  return prefix + "." + kSiteBDomain + href;
}
