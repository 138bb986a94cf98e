#include "net/TimedSocket.h"

#include <algorithm>

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool TimedSocket::Open() {
  deadline_ = Clock::now() + milliseconds(timeouts_.requestMs);
  waitRanOut_ = false;
  stopped_ = false;
  // The system's own limit stays as a guard behind the sliced waits.
  return socket_.Open(std::min(timeouts_.waitMs, timeouts_.requestMs));
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

bool TimedSocket::Connect(const char* host, int port) {
  return socket_.StartConnect(host, port) && AwaitReady(true) && socket_.FinishConnect();
}

int TimedSocket::Send(const char* data, int length) { return AwaitReady(true) ? socket_.Send(data, length) : -1; }

int TimedSocket::Receive(char* buffer, int length) { return AwaitReady(false) ? socket_.Receive(buffer, length) : -1; }

int TimedSocket::Peek(char* buffer, int length) { return AwaitReady(false) ? socket_.Peek(buffer, length) : -1; }
