#include "demo/sites/FakeSites.h"

#include "demo/sites/FakeRequest.h"
#include "demo/sites/ResultPages.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

bool FakeSites::Start(const std::string& address, unsigned short port) {
  return server_.Start(address, port, [this](TestConnection& connection) { Answer(connection); });
}

bool FakeSites::ServeForever(const std::string& address, unsigned short port) {
  return server_.ServeForever(address, port, [this](TestConnection& connection) { Answer(connection); });
}

std::vector<std::string> FakeSites::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void FakeSites::Answer(TestConnection& connection) {
  std::string head;
  if (!connection.ReceiveRequest(head)) return;
  FakeRequest request;
  if (!ReadFakeRequest(head, request)) {
    connection.Send(BuildAnswer(404, "<html><body>unknown host</body></html>", options_.answer));
    return;
  }
  int repeats = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::string asked = request.cityCode + "." + FakeSiteDomain(request.site) + " " + request.path;
    repeats = static_cast<int>(std::count(requests_.begin(), requests_.end(), asked));
    requests_.push_back(asked);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(options_.delayMs));
  const bool down = request.site == FakeSite::SiteA ? options_.siteADown : options_.siteBDown;
  if (down) return;
  if (!request.resultPage) {
    connection.Send(BuildAnswer(404, NotFoundPage(request.site), options_.answer));
    return;
  }
  const FakeCity& city = *FindFakeCity(request.cityCode);
  std::vector<FakeListing> listings = FreshFakeListings(request.site, request.cityCode, request.kind,
                                                       request.keyword, options_.freshPerRepeat * repeats);
  for (FakeListing& listing :
       FakeListingsFor(request.site, request.cityCode, request.kind, request.keyword, options_.listingsPerPage)) {
    listings.push_back(std::move(listing));
  }
  std::string page = request.site == FakeSite::SiteA
                         ? SiteAResultPage(city, request.kind, request.keyword, listings)
                         : SiteBResultPage(city, request.kind, request.keyword, listings);
  if (options_.floodBytes) page = FloodResultPage(request.site, std::move(page), options_.floodBytes);
  connection.Send(BuildAnswer(200, page, options_.answer));
}
