#pragma once

#include <cstdint>

// One non-blocking IPv4 TCP connection; the only place that knows the
// platform's socket calls. A call that would block fails at once and says
// so; the caller then waits for readiness. Closed when it goes out of scope.
class Socket {
public:
  Socket() = default;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() { Close(); }

  // Starts the platform's socket library (a no-op where there is none).
  static void StartLibrary();

  bool Open();
  bool IsOpen() const { return handle_ != kNone; }
  // Starts connecting without waiting: host is a dotted IPv4 address or a
  // name to look up (which does wait). False when it cannot be resolved or
  // the attempt fails at once. Once the socket is ready to write,
  // FinishConnect tells whether the connection stands.
  bool StartConnect(const char* host, int port);
  bool FinishConnect();
  // Waits at most timeoutMs until a receive (or, with toWrite, a send) would
  // not block, an error or a close included: 1 when it would, 0 when the
  // time passed, below 0 on error.
  int WaitReady(bool toWrite, int timeoutMs);
  // Like send and recv: the byte count, 0 when the peer closed (Receive only),
  // below 0 on error, WouldBlock telling whether the error was only that.
  int Send(const char* data, int length);
  int Receive(char* buffer, int length);
  // Like Receive, but the bytes stay on the socket for the next Receive.
  int Peek(char* buffer, int length);
  void Close();
  bool WouldBlock() const { return wouldBlock_; }
  // Whether a call since Open failed because the system gave up waiting: a
  // connection gone silent, or a connect that found no answer (not one refused).
  bool TimedOut() const { return timedOut_; }

private:
  // Passes result through, noting whether a failure was a time-out or only
  // a call that would have blocked.
  int Checked(int result);

  static constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
  std::uintptr_t handle_ = kNone;
  bool timedOut_ = false;
  bool wouldBlock_ = false;
};
