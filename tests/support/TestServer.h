#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// One accepted connection of a TestServer. Closed when it goes out of scope.
class TestConnection {
public:
  explicit TestConnection(long long socket) : socket_(socket) {}
  TestConnection(const TestConnection&) = delete;
  TestConnection& operator=(const TestConnection&) = delete;
  ~TestConnection() { Close(); }

  // Like recv: the byte count, 0 when the peer closed, below 0 on error.
  int Receive(char* buffer, int size);
  // Reads one request's header block, through the empty line that ends it.
  bool ReceiveRequest(std::string& request);
  // Sends every byte; false on error.
  bool Send(const std::string& bytes);
  // Waits until the peer closes or at most timeoutMs; true when it closed.
  bool WaitForPeerClose(int timeoutMs);
  void Close();

private:
  long long socket_;
};

// A TCP server on a loopback address for tests and the fake sites. Each accepted
// connection is handed to the handler on the server's own thread, one at a time.
class TestServer {
public:
  using Handler = std::function<void(TestConnection&)>;

  TestServer() = default;
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;
  ~TestServer() { Stop(); }

  // Listens on address:port (for instance "127.0.0.5", 80); false if that fails.
  bool Start(const std::string& address, unsigned short port, Handler handler);
  // Stops accepting and waits for the handler in progress to return.
  void Stop();
  // Blocks serving connections on the calling thread until the process ends.
  bool ServeForever(const std::string& address, unsigned short port, Handler handler);

private:
  bool Listen(const std::string& address, unsigned short port);
  void AcceptLoop();

  long long listener_ = -1;
  Handler handler_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

// A name server on 127.0.0.1 port 53 that reads every query and never
// answers, as a dead one: the sandbox's resolver asks there, once, for a
// second. Counts the queries.
class SilentNameServer {
public:
  SilentNameServer() = default;
  SilentNameServer(const SilentNameServer&) = delete;
  SilentNameServer& operator=(const SilentNameServer&) = delete;
  ~SilentNameServer() { Stop(); }

  bool Start();
  void Stop();
  int Queries() const { return queries_; }

private:
  long long socket_ = -1;
  std::atomic<int> queries_{0};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};
