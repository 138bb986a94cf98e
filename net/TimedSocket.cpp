#include "net/TimedSocket.h"

#include <algorithm>

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool TimedSocket::Open() {
  deadline_ = Clock::now() + milliseconds(timeouts_.requestMs);
  waitRanOut_ = false;
  stopped_ = false;
  return socket_.Open();
}

bool TimedSocket::AwaitReady(bool toWrite) {
  if (stopped_) return false;
  const Clock::time_point end = std::min(deadline_, Clock::now() + milliseconds(timeouts_.waitMs));
  for (;;) {
    const long long left = std::chrono::duration_cast<milliseconds>(end - Clock::now()).count();
    // Under a millisecond left is none.
    if (left <= 0) {
      waitRanOut_ = true;
      return false;
    }
    const int ready = socket_.WaitReady(toWrite, static_cast<int>(std::min<long long>(left, kSliceMs)));
    if (ready != 0) return ready > 0;
    if (hook_ && !hook_->KeepWaiting()) {
      stopped_ = true;
      return false;
    }
  }
}

// Data that has arrived is taken without a wait: on a fast network a request
// costs no more calls than a blocking socket's.
template <typename Call>
int TimedSocket::Retry(bool toWrite, Call call) {
  if (stopped_) return -1;
  if (Clock::now() >= deadline_) {
    waitRanOut_ = true;
    return -1;
  }
  for (;;) {
    const int result = call();
    if (result >= 0 || !socket_.WouldBlock()) return result;
    if (!AwaitReady(toWrite)) return -1;
  }
}

bool TimedSocket::Connect(const char* host, int port) {
  return socket_.StartConnect(host, port) && AwaitReady(true) && socket_.FinishConnect();
}

int TimedSocket::Send(const char* data, int length) {
  return Retry(true, [&] { return socket_.Send(data, length); });
}

int TimedSocket::Receive(char* buffer, int length) {
  return Retry(false, [&] { return socket_.Receive(buffer, length); });
}

int TimedSocket::Peek(char* buffer, int length) {
  return Retry(false, [&] { return socket_.Peek(buffer, length); });
}
