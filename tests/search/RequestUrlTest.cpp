#include "search/CityTable.h"
#include "search/RequestUrl.h"
#include "search/SiteTemplates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSky = "\xCC\xEC";  // 天 in GBK; E5 A4 A9 in UTF-8
const std::string kSkyEncoded = "%E5%A4%A9";

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

}  // namespace

TEST(EncodeKeyword, EscapesEveryUtf8Byte) {
  EXPECT_EQ(EncodeKeyword("ab"), "%61%62");
  EXPECT_EQ(EncodeKeyword("a b"), "%61%20%62");
  EXPECT_EQ(EncodeKeyword("%+/"), "%25%2B%2F");
  EXPECT_EQ(EncodeKeyword(kSky), kSkyEncoded);
  EXPECT_EQ(EncodeKeyword("1" + kSky), "%31" + kSkyEncoded);
}

TEST(EncodeKeyword, KeepsSixtySixUtf8BytesAndCutsLongerAtACharacter) {
  const std::string full = Repeat(kSky, 22);  // 66 UTF-8 bytes
  EXPECT_EQ(EncodeKeyword(full), Repeat(kSkyEncoded, 22));
  EXPECT_EQ(EncodeKeyword(full).size() + 1, 199u);

  EXPECT_EQ(EncodeKeyword(full + kSky), Repeat(kSkyEncoded, 22));
  // 65 ASCII bytes leave one byte, too little for the next character.
  EXPECT_EQ(EncodeKeyword(Repeat("a", 65) + kSky), Repeat("%61", 65));
  EXPECT_EQ(EncodeKeyword(Repeat("a", 66) + "b"), Repeat("%61", 66));
  EXPECT_EQ(EncodeKeyword(Repeat("a", 64) + kSky), Repeat("%61", 64));
  EXPECT_EQ(EncodeKeyword(Repeat("a", 63) + kSky), Repeat("%61", 63) + kSkyEncoded);
  EXPECT_LE(EncodeKeyword(Repeat(kSky, 500)).size() + 1, 200u);
}

TEST(BuildRequestUrl, JoinsPrefixTemplateKeywordAndSiteBSuffix) {
  EXPECT_EQ(BuildRequestUrl(kCityTable[0].prefix, kSiteAWholeFlatTemplate, kSky, Site::SiteA),
            std::string("http://bj.") + kSiteADomain + "/nestari/0/?final=1&key=" + kSkyEncoded);
  EXPECT_EQ(BuildRequestUrl(kCityTable[0].prefix, kSiteASharedTemplate, "ab", Site::SiteA),
            std::string("http://bj.") + kSiteADomain + "/hezu/0/?final=1&key=%61%62");
  EXPECT_EQ(BuildRequestUrl(kCityTable[7].prefix, kSiteBSharedTemplate, kSky, Site::SiteB),
            std::string("http://sh.") + kSiteBDomain + "/fang3/a1/_" + kSkyEncoded + "/");
  EXPECT_EQ(BuildRequestUrl(kCityTable[4].prefix, kSiteBWholeFlatTemplate, "ab", Site::SiteB),
            std::string("http://liaocheng.") + kSiteBDomain + "/fang1/a1m1/_%61%62/");
  EXPECT_EQ(BuildRequestUrl(kCityTable[11].prefix, kSiteAWholeFlatTemplate, "ab", Site::SiteA),
            std::string("http://yantai.") + kSiteADomain + "/nestari/0/?final=1&key=%61%62");
}

TEST(MakeSiteBLink, PutsTheCityHostBeforeWhateverTheHrefIs) {
  const std::string host = std::string("http://bj.") + kSiteBDomain;
  EXPECT_EQ(MakeSiteBLink("http://bj", "/fang1/123.htm"), host + "/fang1/123.htm");
  EXPECT_EQ(MakeSiteBLink("http://bj", "http://x.example/1.htm"), host + "http://x.example/1.htm");
  EXPECT_EQ(MakeSiteBLink("http://bj", "1.htm"), host + "1.htm");
  EXPECT_EQ(MakeSiteBLink("http://bj", ""), host);
}
