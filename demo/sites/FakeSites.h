#pragma once

#include "demo/sites/FakeListings.h"
#include "demo/sites/HttpAnswer.h"
#include "tests/support/TestServer.h"

#include <mutex>
#include <string>
#include <vector>

struct FakeSitesOptions {
  AnswerOptions answer;     // gzip and/or chunked
  bool siteADown = false;   // connections to SiteA hosts are dropped unanswered
  bool siteBDown = false;
  int listingsPerPage = 0;  // 0: two to five, as a keyword's usual first page
  std::size_t floodBytes = 0;  // result pages filled to this size with minimal advertisements
  int delayMs = 0;             // each request is answered this long after it arrived, as over a slow network
  int freshPerRepeat = 0;      // each repeat of a request finds this many more advertisements at the page's top
};

// Both listing sites for every city on one address and port: the Host line
// tells the site and city apart. Result pages hold the advertisements of
// FakeListingsFor; other paths get a 404 page, other hosts a bare 404.
class FakeSites {
public:
  explicit FakeSites(FakeSitesOptions options = {}) : options_(options) {}

  // Serves on a thread of its own until Stop (or destruction).
  bool Start(const std::string& address = "127.0.0.1", unsigned short port = 80);
  void Stop() { server_.Stop(); }
  // Serves on the calling thread until the process ends.
  bool ServeForever(const std::string& address = "127.0.0.1", unsigned short port = 80);

  // "host path" of every request answered or dropped so far, in arrival order.
  std::vector<std::string> Requests() const;

private:
  void Answer(TestConnection& connection);

  FakeSitesOptions options_;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  TestServer server_;
};
