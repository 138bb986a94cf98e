#include "search/ResultPage.h"

#include "net/HttpFetcher.h"
#include "net/TextConversion.h"

bool ResultPageFetcher::Fetch(const std::string& url, std::string& pageText, bool& textWhole) {
  std::string host;
  std::string path;
  if (!SplitUrl(url.c_str(), host, path) || failedHosts_.count(host) != 0) return false;
  std::string body;
  FetchReport report;
  const bool fetched = FetchPage(host.c_str(), path.c_str(), timeouts_, hook_, body, report);
  if (report.timedOut || report.lookupFailed) failedHosts_.insert(host);
  if (!fetched) return false;
  pageText = Utf8ToLocal(body.c_str());
  textWhole = report.bodyWhole;
  return true;
}
