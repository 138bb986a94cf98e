// A result page as a site would send it (UTF-8 body), through everything the
// two site parsers do after the fetch: conversion, parse, extraction. The first
// byte picks the city row, so both of SiteA's table classes are reached.
#include "net/TextConversion.h"
#include "search/CityTable.h"
#include "search/SiteAParser.h"
#include "search/SiteBParser.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int row = data[0] % kCityCount;
  std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string page = Utf8ToLocal(body.c_str());

  ListingList list;
  ReadSiteAPage(page, "k", row, list);
  ReadSiteBPage(page, "k", kCityTable[row].prefix, list);
  SortListingsByDate(list.Head());
  return 0;
}
