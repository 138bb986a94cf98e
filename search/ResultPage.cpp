#include "search/ResultPage.h"

#include "net/HttpFetcher.h"
#include "net/TextConversion.h"

bool FetchResultPage(const std::string& url, std::string& pageText) {
  std::string host;
  std::string path;
  if (!SplitUrl(url.c_str(), host, path)) return false;
  std::string body;
  if (!FetchPage(host.c_str(), path.c_str(), body)) return false;
  pageText = Utf8ToLocal(body.c_str());
  return true;
}
