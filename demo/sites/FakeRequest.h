#pragma once

#include "demo/sites/FakeListings.h"

#include <string>

// What one request to the fake sites asks for, read from its Host line and path.
struct FakeRequest {
  FakeSite site = FakeSite::SiteA;
  std::string cityCode;
  std::string path;
  bool resultPage = false;  // a search path; kind and keyword are then set
  FakeKind kind = FakeKind::WholeFlat;
  std::string keyword;  // UTF-8, percent-decoded
};

// False when the request names no host of either site.
bool ReadFakeRequest(const std::string& requestHead, FakeRequest& request);

std::string PercentDecode(const std::string& text);
