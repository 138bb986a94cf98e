#include "net/TimedSocket.h"

#include <algorithm>

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool TimedSocket::Open() {
  deadline_ = Clock::now() + milliseconds(timeouts_.requestMs);
  lastAsked_ = Clock::now();
  waitRanOut_ = false;
  stopped_ = false;
  return socket_.Open();
}

// One clock read per call: a steady stream of data pays nothing more.
bool TimedSocket::AskHookWhenDue() {
  if (!hook_) return true;
  const Clock::time_point now = Clock::now();
  if (now - lastAsked_ < milliseconds(kSliceMs)) return true;
  lastAsked_ = now;
  if (!hook_->KeepWaiting()) stopped_ = true;
  return !stopped_;
}

bool TimedSocket::AwaitReady(SocketWait what) {
  if (stopped_) return false;
  const Clock::time_point end = std::min(deadline_, Clock::now() + milliseconds(timeouts_.waitMs));
  for (;;) {
    const Clock::time_point now = Clock::now();
    const long long left = std::chrono::duration_cast<milliseconds>(end - now).count();
    // Under a millisecond left is none.
    if (left <= 0) {
      waitRanOut_ = true;
      return false;
    }
    // Never past the hook's next turn; at least a millisecond, or the wait would spin.
    long long slice = kSliceMs;
    if (hook_) {
      const long long sinceAsked = std::chrono::duration_cast<milliseconds>(now - lastAsked_).count();
      slice = std::max<long long>(1, kSliceMs - sinceAsked);
    }
    const int ready = socket_.WaitReady(what, static_cast<int>(std::min(left, slice)));
    if (!AskHookWhenDue()) return false;
    if (ready != 0) return ready > 0;
  }
}

// Data that has arrived is taken without a wait: on a fast network a request
// costs no more calls than a blocking socket's.
template <typename Call>
int TimedSocket::Retry(SocketWait what, Call call) {
  if (stopped_) return -1;
  if (Clock::now() >= deadline_) {
    waitRanOut_ = true;
    return -1;
  }
  for (;;) {
    const int result = call();
    if (!AskHookWhenDue()) return -1;
    if (result >= 0 || !socket_.WouldBlock()) return result;
    if (!AwaitReady(what)) return -1;
  }
}

bool TimedSocket::Connect(const char* host, int port) {
  if (!socket_.StartLookup(host) || !AwaitReady(SocketWait::kLookup) || !socket_.FinishLookup()) return false;
  return socket_.StartConnect(port) && AwaitReady(SocketWait::kConnect) && socket_.FinishConnect();
}

int TimedSocket::Send(const char* data, int length) {
  return Retry(SocketWait::kSend, [&] { return socket_.Send(data, length); });
}

int TimedSocket::Receive(char* buffer, int length) {
  return Retry(SocketWait::kReceive, [&] { return socket_.Receive(buffer, length); });
}

int TimedSocket::Peek(char* buffer, int length) {
  return Retry(SocketWait::kReceive, [&] { return socket_.Peek(buffer, length); });
}
