#pragma once

#include <cstdint>

// One blocking IPv4 TCP connection; the only place that knows the platform's
// socket calls. Closed when it goes out of scope.
class Socket {
public:
  Socket() = default;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() { Close(); }

  // Starts the platform's socket library (a no-op where there is none).
  static void StartLibrary();

  // Creates the socket with the given send and receive time-outs.
  bool Open(int timeoutMs);
  // Changes the longest wait of each later send and receive (and, on posix, connect).
  void SetTimeout(int timeoutMs);
  bool IsOpen() const { return handle_ != kNone; }
  // host is a dotted IPv4 address or a name to look up; false when it cannot
  // be resolved or the connection fails.
  bool Connect(const char* host, int port);
  // Like send and recv: the byte count, 0 when the peer closed (Receive only),
  // below 0 on error.
  int Send(const char* data, int length);
  int Receive(char* buffer, int length);
  // Like Receive, but the bytes stay on the socket for the next Receive.
  int Peek(char* buffer, int length);
  void Close();
  // Whether a call since Open failed because its wait ran out: a send or
  // receive, or a connect that found no answer (not one that was refused).
  bool TimedOut() const { return timedOut_; }

private:
  // Passes result through, noting whether a failure was a time-out.
  int Checked(int result);

  static constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
  std::uintptr_t handle_ = kNone;
  bool timedOut_ = false;
};
