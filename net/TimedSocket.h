#pragma once

#include "net/RequestTimeouts.h"
#include "net/Socket.h"

#include <chrono>

// A Socket under a request deadline that starts when it opens: each call waits
// at most the per-call wait and never past the deadline. Past it, every call
// fails at once, as one that timed out would. Connecting waits as the system
// lets it (about 20 s either way), within the deadline's count.
class TimedSocket {
public:
  explicit TimedSocket(RequestTimeouts timeouts) : timeouts_(timeouts) {}

  bool Open();
  bool Connect(const char* host, int port);
  int Send(const char* data, int length);
  int Receive(char* buffer, int length);
  int Peek(char* buffer, int length);
  void Close() { socket_.Close(); }
  // Whether this request ran out of time: its deadline passed, or a wait or
  // a connect ran out; set even when what arrived before was kept.
  bool TimedOut() const { return pastDeadline_ || socket_.TimedOut(); }

private:
  // Shortens the socket's wait when the deadline is nearer than the per-call
  // wait; false once the deadline has passed.
  bool ArmWait();

  RequestTimeouts timeouts_;
  std::chrono::steady_clock::time_point deadline_;
  int armedMs_ = 0;
  bool pastDeadline_ = false;
  Socket socket_;
};
