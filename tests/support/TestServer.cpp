#include "tests/support/TestServer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLength = int;
constexpr int kSendFlags = 0;
namespace {
void CloseSocket(long long s) { closesocket(static_cast<SOCKET>(s)); }
void StartSockets() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}
}  // namespace
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLength = socklen_t;
// A client that has gone away must give a failed send, not a SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
namespace {
void CloseSocket(long long s) { close(static_cast<int>(s)); }
void StartSockets() {}
}  // namespace
#endif

#include <chrono>
#include <cstring>

namespace {

bool WaitReadable(long long s, int timeoutMs) {
#ifdef _WIN32
  fd_set set;
  FD_ZERO(&set);
  FD_SET(static_cast<SOCKET>(s), &set);
  timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) > 0;
#else
  pollfd p{static_cast<int>(s), POLLIN, 0};
  return poll(&p, 1, timeoutMs) > 0;
#endif
}

}  // namespace

int TestConnection::Receive(char* buffer, int size) {
  if (socket_ < 0) return -1;
  return static_cast<int>(recv(socket_, buffer, size, 0));
}

bool TestConnection::ReceiveRequest(std::string& request) {
  request.clear();
  char c;
  while (request.size() < 65536) {
    if (Receive(&c, 1) != 1) return false;
    request += c;
    std::size_t n = request.size();
    if (n >= 2 && request[n - 1] == '\n' &&
        (request[n - 2] == '\n' || (n >= 4 && request.compare(n - 4, 4, "\r\n\r\n") == 0)))
      return true;
  }
  return false;
}

bool TestConnection::Send(const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    int n = static_cast<int>(send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), kSendFlags));
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

bool TestConnection::WaitForPeerClose(int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char scratch[512];
  while (std::chrono::steady_clock::now() < end) {
    if (!WaitReadable(socket_, 50)) continue;
    if (Receive(scratch, sizeof scratch) <= 0) return true;
  }
  return false;
}

void TestConnection::Close() {
  if (socket_ >= 0) CloseSocket(socket_);
  socket_ = -1;
}

bool TestServer::Listen(const std::string& address, unsigned short port) {
  StartSockets();
  long long s = static_cast<long long>(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (s < 0) return false;
  int yes = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = inet_addr(address.c_str());
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 16) != 0) {
    CloseSocket(s);
    return false;
  }
  listener_ = s;
  return true;
}

bool TestServer::Start(const std::string& address, unsigned short port, Handler handler) {
  Stop();
  if (!Listen(address, port)) return false;
  handler_ = std::move(handler);
  stopping_ = false;
  thread_ = std::thread([this] { AcceptLoop(); });
  return true;
}

bool TestServer::ServeForever(const std::string& address, unsigned short port, Handler handler) {
  if (!Listen(address, port)) return false;
  handler_ = std::move(handler);
  AcceptLoop();
  return true;
}

void TestServer::AcceptLoop() {
  while (!stopping_) {
    // Polling lets Stop end the loop without depending on close() waking accept().
    if (!WaitReadable(listener_, 50)) continue;
    sockaddr_in peer{};
    SocketLength length = sizeof peer;
    long long s = static_cast<long long>(accept(listener_, reinterpret_cast<sockaddr*>(&peer), &length));
    if (s < 0) continue;
    TestConnection connection(s);
    handler_(connection);
  }
}

void TestServer::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ >= 0) CloseSocket(listener_);
  listener_ = -1;
}

bool SilentNameServer::Start() {
  StartSockets();
  const long long s = static_cast<long long>(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  if (s < 0) return false;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(53);
  addr.sin_addr.s_addr = inet_addr("127.0.0.1");
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    CloseSocket(s);
    return false;
  }
  socket_ = s;
  stopping_ = false;
  thread_ = std::thread([this] {
    char query[512];
    while (!stopping_) {
      if (WaitReadable(socket_, 50) && recv(socket_, query, sizeof query, 0) > 0) ++queries_;
    }
  });
  return true;
}

void SilentNameServer::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (socket_ >= 0) CloseSocket(socket_);
  socket_ = -1;
}
