#pragma once

#include <cstdint>

// What a wait on a Socket is for.
enum class SocketWait { kLookup, kConnect, kReceive, kSend };

// A name lookup under way, where the platform has one that does not block.
struct PendingLookup;

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
  // Finds host's address: host is a dotted IPv4 address or a name. Where the
  // platform can look a name up without blocking, the lookup goes on after
  // the call and a wait for kLookup waits for it; elsewhere it is over when
  // the call returns. False when it fails at once; once the wait is over,
  // FinishLookup tells whether an address was found.
  bool StartLookup(const char* host);
  bool FinishLookup();
  // Whether the last lookup ended without an address (not one cut short).
  bool LookupFailed() const { return lookupFailed_; }
  // Starts connecting to the address looked up, without waiting. False when
  // the attempt fails at once. Once a wait for kConnect is over,
  // FinishConnect tells whether the connection stands.
  bool StartConnect(int port);
  bool FinishConnect();
  // Waits at most timeoutMs until what is waited for is over or would not
  // block, an error or a close included: 1 when it is, 0 when the time
  // passed, below 0 on error.
  int WaitReady(SocketWait what, int timeoutMs);
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
  PendingLookup* lookup_ = nullptr;  // outlives the Socket when it cannot be stopped
  uint32_t address_ = 0;  // IPv4, network byte order
  bool lookupFailed_ = false;
  bool timedOut_ = false;
  bool wouldBlock_ = false;
};
