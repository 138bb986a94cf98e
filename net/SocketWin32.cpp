#include "net/Socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

SOCKET Handle(std::uintptr_t handle) { return static_cast<SOCKET>(handle); }

// The lookup that does not block: Windows 8 and later. Found at run time, as
// the program also runs on Windows 7; the cancel is its sign, as Windows 7
// has the lookup but not its overlapped form. The headers lack the cancel.
using GetAddrInfoExCall = decltype(&GetAddrInfoExW);
using FreeAddrInfoExCall = decltype(&FreeAddrInfoExW);
using GetAddrInfoExCancelCall = INT(WSAAPI*)(LPHANDLE);
struct AsyncLookupCalls {
  GetAddrInfoExCall lookup = nullptr;
  FreeAddrInfoExCall free = nullptr;
  GetAddrInfoExCancelCall cancel = nullptr;

  AsyncLookupCalls() {
    HMODULE library = GetModuleHandleW(L"ws2_32.dll");
    if (!library) return;
    lookup = reinterpret_cast<GetAddrInfoExCall>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetAddrInfoExW")));
    free = reinterpret_cast<FreeAddrInfoExCall>(
        reinterpret_cast<void*>(GetProcAddress(library, "FreeAddrInfoExW")));
    cancel = reinterpret_cast<GetAddrInfoExCancelCall>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetAddrInfoExCancel")));
  }
  bool Available() const { return lookup && free && cancel; }
};

const AsyncLookupCalls& AsyncLookup() {
  static const AsyncLookupCalls calls;
  return calls;
}

}  // namespace

// What Windows writes to until the lookup completes: it stays where it is
// until then, whoever stopped waiting for it.
struct PendingLookup {
  OVERLAPPED overlapped{};
  ADDRINFOEXW* result = nullptr;
  HANDLE cancel = nullptr;

  PendingLookup() { overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
  PendingLookup(const PendingLookup&) = delete;
  PendingLookup& operator=(const PendingLookup&) = delete;
  ~PendingLookup() {
    if (result) AsyncLookup().free(result);
    if (overlapped.hEvent) CloseHandle(overlapped.hEvent);
  }
  bool Completed() const { return WaitForSingleObject(overlapped.hEvent, 0) == WAIT_OBJECT_0; }
};

namespace {

// Lookups whose request stopped waiting, kept until they complete: Wine
// gives no way to cancel one. Freed as later requests end; those still
// running when the thread ends are left to the system.
class AbandonedLookups {
public:
  AbandonedLookups() = default;
  AbandonedLookups(const AbandonedLookups&) = delete;
  AbandonedLookups& operator=(const AbandonedLookups&) = delete;
  ~AbandonedLookups() { Reap(); }

  void Add(PendingLookup* lookup) {
    Reap();
    try {
      lookups_.push_back(lookup);
    } catch (...) {
      // Without room to keep it, it is left to the system: never freed while pending.
    }
  }
  void Reap() {
    for (std::size_t i = 0; i < lookups_.size();) {
      if (lookups_[i]->Completed()) {
        delete lookups_[i];
        lookups_[i] = lookups_.back();
        lookups_.pop_back();
      } else {
        ++i;
      }
    }
  }

private:
  std::vector<PendingLookup*> lookups_;
};

thread_local AbandonedLookups abandonedLookups;

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

bool Socket::StartLookup(const char* host) {
  address_ = inet_addr(host);
  lookupFailed_ = false;
  if (address_ != INADDR_NONE) return true;
  const AsyncLookupCalls& calls = AsyncLookup();
  if (!calls.Available()) {
    const hostent* entry = gethostbyname(host);
    lookupFailed_ = !entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0];
    if (lookupFailed_) return false;
    address_ = reinterpret_cast<const in_addr*>(entry->h_addr_list[0])->s_addr;
    return true;
  }
  const int units = MultiByteToWideChar(CP_ACP, 0, host, -1, nullptr, 0);
  if (units <= 0) return false;
  std::wstring name(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, host, -1, &name[0], units);
  std::unique_ptr<PendingLookup> lookup(new (std::nothrow) PendingLookup);
  if (!lookup || !lookup->overlapped.hEvent) return false;
  ADDRINFOEXW hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  const int status = calls.lookup(name.c_str(), nullptr, NS_DNS, nullptr, &hints, &lookup->result, nullptr,
                                  &lookup->overlapped, nullptr, &lookup->cancel);
  lookup_ = lookup.release();
  if (status == WSA_IO_PENDING) return true;
  // Over at once: the wait finds it done.
  lookup_->overlapped.Internal = static_cast<ULONG_PTR>(status);
  SetEvent(lookup_->overlapped.hEvent);
  return status == NO_ERROR || FinishLookup();
}

bool Socket::FinishLookup() {
  if (!lookup_) return !lookupFailed_;
  std::unique_ptr<PendingLookup> lookup(lookup_);
  lookup_ = nullptr;
  // The lookup's status, where GetAddrInfoExOverlappedResult would read it.
  const bool succeeded = lookup->overlapped.Internal == NO_ERROR;
  const ADDRINFOEXW* found = succeeded ? lookup->result : nullptr;
  // The header misnames the next entry's type: it is the same structure.
  while (found && (found->ai_family != AF_INET || !found->ai_addr))
    found = reinterpret_cast<const ADDRINFOEXW*>(found->ai_next);
  lookupFailed_ = !found;
  if (found) address_ = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  return found != nullptr;
}

bool Socket::StartConnect(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = address_;
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

int Socket::WaitReady(SocketWait what, int timeoutMs) {
  if (what == SocketWait::kLookup) {
    if (!lookup_) return 1;
    const DWORD waited = WaitForSingleObject(lookup_->overlapped.hEvent, static_cast<DWORD>(timeoutMs));
    return waited == WAIT_OBJECT_0 ? 1 : waited == WAIT_TIMEOUT ? 0 : -1;
  }
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(Handle(handle_), &ready);
  // A failed connect shows in the exception set, not the write set. Only a
  // connect watches it: urgent data there would end every other wait at once.
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(Handle(handle_), &failed);
  timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  const int result = select(0, what == SocketWait::kReceive ? &ready : nullptr,
                            what == SocketWait::kReceive ? nullptr : &ready,
                            what == SocketWait::kConnect ? &failed : nullptr, &timeout);
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
  abandonedLookups.Reap();
  if (!lookup_) return;
  // A lookup still running is asked to stop, and kept until it has.
  if (!lookup_->Completed() && lookup_->cancel) AsyncLookup().cancel(&lookup_->cancel);
  if (lookup_->Completed())
    delete lookup_;
  else
    abandonedLookups.Add(lookup_);
  lookup_ = nullptr;
}
