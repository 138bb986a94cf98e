#pragma once

#include "tests/support/TestServer.h"

#include <mutex>
#include <string>
#include <vector>

// An HTTP server on port 80 of one loopback address that answers every
// connection with the same scripted bytes: pieces to send, pauses between
// them, then a close, or a connection held open (silent or trickling one byte
// after another) until the client closes it.
class ScriptedHttpServer {
public:
  // What the server saw; read it after Finish.
  struct Record {
    std::string request;  // the header block of the last request, byte for byte
    int connections = 0;
    bool clientClosedWhileHeld = false;  // silent or trickling
  };

  // A held connection waits this long for the client: less than the client's
  // 20 s receive time-out, so a client that waits for more data is caught.
  static constexpr int kHoldMs = 10000;

  ScriptedHttpServer& Send(std::string bytes);
  ScriptedHttpServer& Pause(int milliseconds);
  ScriptedHttpServer& HoldOpen();
  // Holds the connection open sending byte every intervalMs (at least every 50 ms).
  ScriptedHttpServer& Trickle(char byte, int intervalMs);

  bool Start(const std::string& address);
  // Stops the server (waiting for the connection in progress) and returns its record.
  Record Finish();

private:
  struct Step {
    std::string bytes;
    int pauseMs = 0;
  };
  void Serve(TestConnection& connection);

  std::vector<Step> steps_;
  bool holdOpen_ = false;
  char trickleByte_ = 0;
  int trickleMs_ = 0;
  std::mutex mutex_;
  Record record_;
  TestServer server_;
};
