#include "demo/sites/FakeRequest.h"

#include <cctype>

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The value of the Host line, port and blanks left out.
bool HostOf(const std::string& head, std::string& host) {
  std::size_t start = 0;
  while (start < head.size()) {
    std::size_t end = head.find('\n', start);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Lower(line.substr(0, 5)) == "host:") {
      std::string value = line.substr(5);
      value.erase(0, value.find_first_not_of(" \t"));
      value = value.substr(0, value.find_first_of(" \t:"));
      host = Lower(value);
      return true;
    }
    start = end + 1;
  }
  return false;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void ReadSiteAPath(FakeRequest& request) {
  const std::string& path = request.path;
  if (StartsWith(path, "/nestari/0/")) request.kind = FakeKind::WholeFlat;
  else if (StartsWith(path, "/hezu/0/")) request.kind = FakeKind::Shared;
  else return;
  std::size_t query = path.find('?');
  if (query == std::string::npos) return;
  std::string rest = "&" + path.substr(query + 1);
  std::size_t key = rest.find("&key=");
  if (key == std::string::npos) return;
  std::size_t start = key + 5;
  request.keyword = PercentDecode(rest.substr(start, rest.find('&', start) - start));
  request.resultPage = true;
}

void ReadSiteBPath(FakeRequest& request) {
  const std::string& path = request.path;
  std::string rest;
  if (StartsWith(path, "/fang1/a1m1/_")) {
    request.kind = FakeKind::WholeFlat;
    rest = path.substr(13);
  } else if (StartsWith(path, "/fang3/a1/_")) {
    request.kind = FakeKind::Shared;
    rest = path.substr(11);
  } else {
    return;
  }
  if (!rest.empty() && rest.back() == '/') rest.pop_back();
  request.keyword = PercentDecode(rest);
  request.resultPage = true;
}

}  // namespace

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0) {
      out += text[i];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

bool ReadFakeRequest(const std::string& requestHead, FakeRequest& request) {
  // "GET <path> HTTP/1.1"
  std::size_t pathStart = requestHead.find(' ');
  if (pathStart == std::string::npos) return false;
  std::size_t pathEnd = requestHead.find(' ', pathStart + 1);
  if (pathEnd == std::string::npos) return false;
  request.path = requestHead.substr(pathStart + 1, pathEnd - pathStart - 1);

  std::string host;
  if (!HostOf(requestHead, host)) return false;
  std::size_t dot = host.find('.');
  if (dot == std::string::npos) return false;
  request.cityCode = host.substr(0, dot);
  const std::string domain = host.substr(dot + 1);
  if (!FindFakeCity(request.cityCode)) return false;
  if (domain == Lower(FakeSiteDomain(FakeSite::SiteA))) request.site = FakeSite::SiteA;
  else if (domain == Lower(FakeSiteDomain(FakeSite::SiteB))) request.site = FakeSite::SiteB;
  else return false;

  if (request.site == FakeSite::SiteA) ReadSiteAPath(request);
  else ReadSiteBPath(request);
  return true;
}
