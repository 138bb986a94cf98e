#include "net/Socket.h"

#include <winsock2.h>

namespace {
SOCKET Handle(std::uintptr_t handle) { return static_cast<SOCKET>(handle); }
}  // namespace

void Socket::StartLibrary() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}

bool Socket::Open() {
  Close();
  timedOut_ = false;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  handle_ = static_cast<std::uintptr_t>(s);
  u_long nonBlocking = 1;
  return ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
}

bool Socket::StartConnect(const char* host, int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = inet_addr(host);
  if (address.sin_addr.s_addr == INADDR_NONE) {
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return false;
    address.sin_addr = *reinterpret_cast<const in_addr*>(entry->h_addr_list[0]);
  }
  return connect(Handle(handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
         WSAGetLastError() == WSAEWOULDBLOCK;
}

bool Socket::FinishConnect() {
  int error = 0;
  int size = sizeof error;
  if (getsockopt(Handle(handle_), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) return false;
  if (error == WSAETIMEDOUT) timedOut_ = true;
  return error == 0;
}

int Socket::WaitReady(bool toWrite, int timeoutMs) {
  // A failed connect shows in the exception set, not the write set.
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(Handle(handle_), &ready);
  FD_SET(Handle(handle_), &failed);
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  const int result = select(0, toWrite ? nullptr : &ready, toWrite ? &ready : nullptr, &failed, &timeout);
  return result == SOCKET_ERROR ? -1 : result;
}

int Socket::Send(const char* data, int length) { return Checked(send(Handle(handle_), data, length, 0)); }

int Socket::Receive(char* buffer, int length) { return Checked(recv(Handle(handle_), buffer, length, 0)); }

int Socket::Peek(char* buffer, int length) { return Checked(recv(Handle(handle_), buffer, length, MSG_PEEK)); }

int Socket::Checked(int result) {
  const int error = result == SOCKET_ERROR ? WSAGetLastError() : 0;
  wouldBlock_ = error == WSAEWOULDBLOCK;
  // The system's own give-up on a connection gone silent.
  if (error == WSAETIMEDOUT) timedOut_ = true;
  return result;
}

void Socket::Close() {
  if (handle_ != kNone) closesocket(Handle(handle_));
  handle_ = kNone;
}
