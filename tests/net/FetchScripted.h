#pragma once

#include "net/HttpFetcher.h"
#include "tests/net/ScriptedHttpServer.h"

#include <gtest/gtest.h>

#include <string>

// What a body string holds before the fetch; a failed fetch must leave it so.
inline const std::string kUnchangedBody = "unchanged";

struct FetchOutcome {
  bool fetched = false;
  bool timedOut = false;
  bool whole = false;
  std::string body = kUnchangedBody;
  ScriptedHttpServer::Record record;
};

// Starts server on address, fetches path from it and stops the server.
inline FetchOutcome FetchScripted(ScriptedHttpServer& server, const char* address, const char* path = "/",
                                  RequestTimeouts timeouts = RequestTimeouts(), WaitHook* hook = nullptr) {
  FetchOutcome outcome;
  if (!server.Start(address)) {
    ADD_FAILURE() << "cannot listen on " << address << ":80";
    return outcome;
  }
  {
    HttpFetcher fetcher(timeouts, hook);
    outcome.fetched = fetcher.Get(address, path, outcome.body);
    outcome.timedOut = fetcher.TimedOut();
    outcome.whole = fetcher.BodyWhole();
  }  // closed before the server's record is taken
  outcome.record = server.Finish();
  return outcome;
}

enum class AfterResponse { Close, HoldOpen };

// Plays one response to the client, then closes or holds the connection.
inline FetchOutcome FetchResponse(const char* address, const std::string& response,
                                  AfterResponse after = AfterResponse::Close) {
  ScriptedHttpServer server;
  server.Send(response);
  if (after == AfterResponse::HoldOpen) server.HoldOpen();
  return FetchScripted(server, address);
}
