#include "net/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
int Fd(std::uintptr_t handle) { return static_cast<int>(handle); }
}  // namespace

void Socket::StartLibrary() {}

bool Socket::Open(int timeoutMs) {
  Close();
  timedOut_ = false;
  int fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (fd < 0) return false;
  handle_ = static_cast<std::uintptr_t>(fd);
  SetTimeout(timeoutMs);
  return true;
}

void Socket::SetTimeout(int timeoutMs) {
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  setsockopt(Fd(handle_), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  setsockopt(Fd(handle_), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
}

bool Socket::Connect(const char* host, int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = inet_addr(host);
  if (address.sin_addr.s_addr == INADDR_NONE) {
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return false;
    address.sin_addr = *reinterpret_cast<const in_addr*>(entry->h_addr_list[0]);
  }
  return Checked(connect(Fd(handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address)) == 0;
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
  // A connect that runs out of SO_SNDTIMEO gives EINPROGRESS; ETIMEDOUT is
  // the system's own give-up, for a connect or a connection gone silent.
  if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == ETIMEDOUT || errno == EINPROGRESS))
    timedOut_ = true;
  return result;
}

void Socket::Close() {
  if (handle_ != kNone) close(Fd(handle_));
  handle_ = kNone;
}
