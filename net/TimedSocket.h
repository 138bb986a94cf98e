#pragma once

#include "net/RequestTimeouts.h"
#include "net/Socket.h"
#include "net/WaitHook.h"

#include <chrono>

// A Socket under a request deadline that starts when it opens: each call waits
// at most the per-call wait and never past the deadline; past it, every call
// fails at once, as one that timed out would. Whenever 50 ms have passed
// since it was last asked, whether data came or not, the hook, if any, may
// keep the program alive or stop the request: a wait never goes past that
// time. A name lookup waits so too where the platform's lookup does not block.
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
  // Whether the host's name gave no address.
  bool LookupFailed() const { return socket_.LookupFailed(); }
  // Whether the hook stopped the request.
  bool Stopped() const { return stopped_; }

private:
  // The longest stretch the request holds the thread without asking the hook.
  static constexpr int kSliceMs = 50;

  // Asks the hook once its time has come; false when it said stop.
  bool AskHookWhenDue();
  // Waits until what is waited for is ready, within the per-call wait and
  // the deadline; false when one ran out or the hook said stop.
  bool AwaitReady(SocketWait what);
  // Runs call, which tries the socket once, until it does not merely find
  // the socket unready, waiting for readiness in between. Past the deadline
  // or once stopped it fails without trying.
  template <typename Call>
  int Retry(SocketWait what, Call call);

  RequestTimeouts timeouts_;
  WaitHook* hook_;
  std::chrono::steady_clock::time_point deadline_;
  std::chrono::steady_clock::time_point lastAsked_;
  bool waitRanOut_ = false;
  bool stopped_ = false;
  Socket socket_;
};
