#pragma once

#include "net/RequestTimeouts.h"
#include "net/Socket.h"
#include "net/WaitHook.h"

#include <chrono>

// A Socket under a request deadline that starts when it opens: each call waits
// at most the per-call wait and never past the deadline; past it, every call
// fails at once, as one that timed out would. Waits go in slices, and after
// each slice that passes without the socket becoming ready the hook, if any,
// may keep the program alive or stop the request. Only a host-name lookup
// waits without slices.
class TimedSocket {
public:
  explicit TimedSocket(RequestTimeouts timeouts, WaitHook* hook = nullptr) : timeouts_(timeouts), hook_(hook) {}

  bool Open();
  bool Connect(const char* host, int port);
  int Send(const char* data, int length);
  int Receive(char* buffer, int length);
  int Peek(char* buffer, int length);
  void Close() { socket_.Close(); }
  // Whether this request ran out of time: its deadline passed, or a wait or
  // a connect ran out; set even when what arrived before was kept.
  bool TimedOut() const { return waitRanOut_ || socket_.TimedOut(); }
  // Whether the hook stopped the request.
  bool Stopped() const { return stopped_; }

private:
  // The longest stretch the thread waits without asking the hook.
  static constexpr int kSliceMs = 50;

  // Waits until the socket is ready to read (or write), within the per-call
  // wait and the deadline; false when one ran out or the hook said stop.
  bool AwaitReady(bool toWrite);
  // Runs call, which tries the socket once, until it does not merely find
  // the socket unready, waiting for readiness in between. Past the deadline
  // or once stopped it fails without trying.
  template <typename Call>
  int Retry(bool toWrite, Call call);

  RequestTimeouts timeouts_;
  WaitHook* hook_;
  std::chrono::steady_clock::time_point deadline_;
  bool waitRanOut_ = false;
  bool stopped_ = false;
  Socket socket_;
};
