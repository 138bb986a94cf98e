#include "demo/sites/FakeListings.h"

#include <cstdint>

namespace {

// The communities the sites have advertisements for.
const char* const kCommunities[] = {
    "小区1", "小区2", "小区3", "阳光花园", "翠苑小区", "万科城市花园", "金色家园", "碧水蓝天",
};

struct Layout {
  const char* name;
  int percent;  // rent against a two-room flat
  int smallest;  // square metres
  int largest;
};
const Layout kWholeLayouts[] = {{"一室", 55, 25, 45},       {"一室一厅", 70, 35, 55},
                                {"两室一厅", 100, 55, 85},  {"两室两厅", 115, 75, 100},
                                {"三室一厅", 135, 85, 120}, {"三室两厅", 160, 100, 140}};
const Layout kSharedLayouts[] = {{"主卧", 40, 15, 25}, {"次卧", 30, 10, 16}, {"单间", 33, 12, 20},
                                 {"隔断间", 22, 6, 10}};

const char* const kFeatures[] = {"精装修", "南北通透", "近地铁", "拎包入住", "家电齐全", "采光好",
                                 "随时看房", "押一付一"};
const char* const kDistricts[] = {"城东", "城西", "高新区", "开发区", "老城区", "新区"};

// Publication times as the pages write them (with and without blanks) and as
// they read without blanks: minutes, hours and month-days, so a merged sort shows.
struct Age {
  const char* html;
  const char* text;
};
const Age kAges[] = {{"2分钟", "2分钟"},   {"17 分钟", "17分钟"}, {"45分钟", "45分钟"},
                     {"1小时", "1小时"},   {"3 小时", "3小时"},   {"9小时", "9小时"},
                     {"05-06", "05-06"},   {"05-05", "05-05"},    {"04-28", "04-28"},
                     {"12-30", "12-30"},   {"11 - 02", "11-02"}};

template <typename T, std::size_t N>
constexpr std::size_t Count(const T (&)[N]) {
  return N;
}

// FNV-1a with a final mix: the same page for the same request on every run.
std::uint32_t Seed(const std::string& text) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 16777619u;
  }
  hash ^= hash >> 16;
  hash *= 0x85EBCA6Bu;
  hash ^= hash >> 13;
  hash *= 0xC2B2AE35u;
  return hash ^ (hash >> 16);
}

// One of count choices, drawn apart for each property of a listing.
std::uint32_t Pick(std::uint32_t seed, std::uint32_t property, std::uint32_t count) {
  return Seed(std::to_string(seed) + "/" + std::to_string(property)) % count;
}

bool KnownCommunity(const std::string& keyword) {
  for (const char* name : kCommunities)
    if (keyword == name) return true;
  return false;
}

FakeListing MakeListing(FakeSite site, const std::string& cityCode, FakeKind kind,
                        const std::string& keyword, std::uint32_t seed) {
  const bool whole = kind == FakeKind::WholeFlat;
  const Layout& layout = whole ? kWholeLayouts[Pick(seed, 1, Count(kWholeLayouts))]
                               : kSharedLayouts[Pick(seed, 1, Count(kSharedLayouts))];
  const std::string feature = kFeatures[Pick(seed, 2, Count(kFeatures))];
  const std::string district = kDistricts[Pick(seed, 3, Count(kDistricts))];
  const Age& age = kAges[Pick(seed, 4, Count(kAges))];
  const int area = layout.smallest + static_cast<int>(Pick(seed, 5, layout.largest - layout.smallest + 1));
  const int rent = (FindFakeCity(cityCode)->rent * layout.percent / 100 +
                    static_cast<int>(Pick(seed, 6, 9)) * 50) / 50 * 50;
  const bool negotiable = Pick(seed, 7, 7) == 0;
  const std::string id = std::to_string(20000000 + Pick(seed, 8, 70000000));
  const std::string kindPath = whole ? "fang1" : "fang3";

  FakeListing l;
  l.date = age.text;
  l.dateHtml = age.html;
  const std::string plain = keyword + " " + layout.name + (whole ? " " : "出租 ") + feature + " " +
                            std::to_string(area) + "平米";
  if (site == FakeSite::SiteA) {
    l.titleHtml = plain;
    l.title = plain;
    l.priceHtml = negotiable ? "" : std::to_string(rent);
    l.price = negotiable ? "面议" : l.priceHtml;
    if (Pick(seed, 9, 2)) l.layout = std::string(layout.name) + " " + district;
    l.href = "http://" + cityCode + "." + FakeSiteDomain(site) + "/" + (whole ? "zufang" : "hezu") + "/" +
             id + "x.shtml";
    l.link = l.href;
    return l;
  }
  // SiteB marks some titles with a leading badge and writes some prices with
  // their unit in a span, as its pages do.
  const bool badge = Pick(seed, 10, 3) == 0;
  l.titleHtml = (badge ? std::string("<em class=\"ico-top\">顶</em> ") : std::string()) + plain;
  for (char c : plain)
    if (c != ' ') l.title += c;
  if (negotiable) {
    l.priceHtml = "<span class=\"f_c_org\">面议</span>";
    l.price = "面议";
  } else if (Pick(seed, 11, 2)) {
    l.priceHtml = std::to_string(rent) + "<span class=\"unit\">元/月</span>";
    l.price = std::to_string(rent);
  } else {
    l.priceHtml = std::to_string(rent) + " 元/月";
    l.price = l.priceHtml;
  }
  l.href = "/" + kindPath + "/" + id + "x.htm";
  l.link = "http://" + cityCode + "." + FakeSiteDomain(site) + l.href;
  return l;
}

}  // namespace

const std::vector<FakeCity>& FakeCities() {
  static const std::vector<FakeCity> cities = {
      {"bj", "北京", 5200}, {"gz", "广州", 3600}, {"hz", "杭州", 3400},       {"jn", "济南", 1900},
      {"liaocheng", "聊城", 1100}, {"nj", "南京", 2900}, {"qd", "青岛", 2200}, {"sh", "上海", 5500},
      {"sz", "深圳", 4800}, {"tj", "天津", 2400}, {"wh", "武汉", 2300},       {"yantai", "烟台", 1500},
  };
  return cities;
}

const FakeCity* FindFakeCity(const std::string& code) {
  for (const FakeCity& city : FakeCities())
    if (code == city.code) return &city;
  return nullptr;
}

const char* FakeSiteDomain(FakeSite site) {
  return site == FakeSite::SiteA ? NESTARI_SITEA_DOMAIN : NESTARI_SITEB_DOMAIN;
}

namespace {

std::string PageName(FakeSite site, const std::string& cityCode, FakeKind kind, const std::string& keyword) {
  return std::string(site == FakeSite::SiteA ? "A|" : "B|") + cityCode +
         (kind == FakeKind::WholeFlat ? "|whole|" : "|shared|") + keyword;
}

}  // namespace

std::vector<FakeListing> FakeListingsFor(FakeSite site, const std::string& cityCode, FakeKind kind,
                                         const std::string& keyword, int count) {
  std::vector<FakeListing> listings;
  if (!FindFakeCity(cityCode) || !KnownCommunity(keyword)) return listings;
  const std::string page = PageName(site, cityCode, kind, keyword);
  const std::uint32_t shown = count > 0 ? static_cast<std::uint32_t>(count) : 2 + Seed(page) % 4;
  for (std::uint32_t i = 0; i < shown; ++i)
    listings.push_back(MakeListing(site, cityCode, kind, keyword, Seed(page + "|" + std::to_string(i))));
  return listings;
}

std::vector<FakeListing> FreshFakeListings(FakeSite site, const std::string& cityCode, FakeKind kind,
                                           const std::string& keyword, int count) {
  std::vector<FakeListing> listings;
  if (!FindFakeCity(cityCode) || !KnownCommunity(keyword)) return listings;
  const std::string page = PageName(site, cityCode, kind, keyword) + "|fresh|";
  for (int i = count - 1; i >= 0; --i) {
    listings.push_back(MakeListing(site, cityCode, kind, keyword, Seed(page + std::to_string(i))));
    listings.back().date = listings.back().dateHtml = "1分钟";
  }
  return listings;
}
