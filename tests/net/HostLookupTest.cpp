#include "net/HttpFetcher.h"
#include "tests/net/ScriptedHttpServer.h"

#include <gtest/gtest.h>

#include <string>

// The sandbox's hosts file maps the fake sites' names to 127.0.0.1.
TEST(HostLookup, NameFromTheHostsFileIsResolvedAndSentAsHost) {
  ScriptedHttpServer server;
  server.Send("HTTP/1.1 200 OK\r\n\r\nlooked up");
  ASSERT_TRUE(server.Start("127.0.0.1"));
  std::string body;
  EXPECT_TRUE(FetchPage("bj.sitea.example", "/nestari/0/", body));
  ScriptedHttpServer::Record record = server.Finish();
  EXPECT_EQ(body, "looked up");
  EXPECT_EQ(record.request.substr(0, 50), "GET /nestari/0/ HTTP/1.1\r\nHost: bj.sitea.example\r\n");
}

TEST(HostLookup, UnknownNameFailsAndSaysSo) {
  std::string body = "unchanged";
  FetchReport report;
  EXPECT_FALSE(FetchPage("nowhere.invalid", "/", RequestTimeouts(), nullptr, body, report));
  EXPECT_EQ(body, "unchanged");
  EXPECT_TRUE(report.lookupFailed);
  EXPECT_FALSE(FetchPage("127.0.0.1", "/", RequestTimeouts(), nullptr, body, report));  // nothing listens
  EXPECT_FALSE(report.lookupFailed);
}
