#include "net/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int Fd(std::uintptr_t handle) { return static_cast<int>(handle); }
}  // namespace

void Socket::StartLibrary() {}

bool Socket::Open() {
  Close();
  timedOut_ = false;
  int fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (fd < 0) return false;
  handle_ = static_cast<std::uintptr_t>(fd);
  return fcntl(fd, F_SETFL, fcntl(fd, F_GETFL, 0) | O_NONBLOCK) == 0;
}

// The lookup blocks: nothing here needs a window kept alive while it runs.
bool Socket::StartLookup(const char* host) {
  address_ = inet_addr(host);
  lookupFailed_ = false;
  if (address_ != INADDR_NONE) return true;
  const hostent* entry = gethostbyname(host);
  lookupFailed_ = !entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0];
  if (lookupFailed_) return false;
  address_ = reinterpret_cast<const in_addr*>(entry->h_addr_list[0])->s_addr;
  return true;
}

bool Socket::FinishLookup() { return !lookupFailed_; }

bool Socket::StartConnect(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = address_;
  return connect(Fd(handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
         errno == EINPROGRESS;
}

bool Socket::FinishConnect() {
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(Fd(handle_), SOL_SOCKET, SO_ERROR, &error, &size) != 0) return false;
  if (error == ETIMEDOUT) timedOut_ = true;
  return error == 0;
}

int Socket::WaitReady(SocketWait what, int timeoutMs) {
  if (what == SocketWait::kLookup) return 1;
  pollfd watched{Fd(handle_), static_cast<short>(what == SocketWait::kReceive ? POLLIN : POLLOUT), 0};
  const int result = poll(&watched, 1, timeoutMs);
  return result < 0 && errno == EINTR ? 0 : result;
}

int Socket::Send(const char* data, int length) {
  // A peer that has gone away must give an error here, not a SIGPIPE.
  return Checked(static_cast<int>(send(Fd(handle_), data, static_cast<size_t>(length), MSG_NOSIGNAL)));
}

int Socket::Receive(char* buffer, int length) {
  return Checked(static_cast<int>(recv(Fd(handle_), buffer, static_cast<size_t>(length), 0)));
}

int Socket::Peek(char* buffer, int length) {
  return Checked(static_cast<int>(recv(Fd(handle_), buffer, static_cast<size_t>(length), MSG_PEEK)));
}

int Socket::Checked(int result) {
  wouldBlock_ = result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  // ETIMEDOUT is the system's own give-up on a connection gone silent.
  if (result < 0 && errno == ETIMEDOUT) timedOut_ = true;
  return result;
}

void Socket::Close() {
  if (handle_ != kNone) close(Fd(handle_));
  handle_ = kNone;
}
