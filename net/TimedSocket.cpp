#include "net/TimedSocket.h"

#include <algorithm>

bool TimedSocket::Open() {
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeouts_.requestMs);
  armedMs_ = std::min(timeouts_.waitMs, timeouts_.requestMs);
  pastDeadline_ = false;
  return socket_.Open(armedMs_);
}

bool TimedSocket::ArmWait() {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now()).count();
  // A wait of 0 would mean no time-out at all: under a millisecond left is none.
  if (left <= 0) {
    pastDeadline_ = true;
    return false;
  }
  const int wait = static_cast<int>(std::min<long long>(left, timeouts_.waitMs));
  // Only the last stretch before the deadline costs a system call per wait.
  if (wait != armedMs_) {
    socket_.SetTimeout(wait);
    armedMs_ = wait;
  }
  return true;
}

bool TimedSocket::Connect(const char* host, int port) { return ArmWait() && socket_.Connect(host, port); }

int TimedSocket::Send(const char* data, int length) { return ArmWait() ? socket_.Send(data, length) : -1; }

int TimedSocket::Receive(char* buffer, int length) { return ArmWait() ? socket_.Receive(buffer, length) : -1; }

int TimedSocket::Peek(char* buffer, int length) { return ArmWait() ? socket_.Peek(buffer, length) : -1; }
