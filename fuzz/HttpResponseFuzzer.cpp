// A whole HTTP response, as a server would send it, through FetchPage: header
// reading, status and length, chunked or plain body, gzip. A loopback server
// on a private address plays the input to each connection and closes it.
#include "net/HttpFetcher.h"
#include "tests/support/TestServer.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

const char kAddress[] = "127.0.0.40";
std::mutex inputMutex;
std::string response;

TestServer& Server() {
  static TestServer* server = [] {
    auto* s = new TestServer;
    bool started = s->Start(kAddress, 80, [](TestConnection& connection) {
      std::string request;
      connection.ReceiveRequest(request);
      std::lock_guard<std::mutex> lock(inputMutex);
      connection.Send(response);
    });
    if (!started) {
      std::fprintf(stderr, "cannot listen on %s:80 (run inside scripts/sandbox)\n", kAddress);
      std::abort();
    }
    return s;
  }();
  return *server;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Server();
  {
    std::lock_guard<std::mutex> lock(inputMutex);
    response.assign(reinterpret_cast<const char*>(data), size);
  }
  std::string body = "unchanged";
  FetchPage(kAddress, "/", body);
  return 0;
}
