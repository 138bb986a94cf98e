#pragma once

#include <windows.h>

#include <vector>

// Sees each message before it is dispatched; true when it consumed it.
class CMessageFilter {
public:
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;

protected:
  ~CMessageFilter() = default;
};

// Called when no message is waiting; true when it wants more idle time.
class CIdleHandler {
public:
  virtual BOOL OnIdle() = 0;

protected:
  ~CIdleHandler() = default;
};

// The message loop of one user-interface thread.
class CMessageLoop {
public:
  bool AddMessageFilter(CMessageFilter* filter);
  bool RemoveMessageFilter(CMessageFilter* filter);
  bool AddIdleHandler(CIdleHandler* handler);
  bool RemoveIdleHandler(CIdleHandler* handler);

  // Until the quit message; its code.
  int Run();

  // Offers msg to the filters, last registered first.
  BOOL PreTranslateMessage(MSG* msg);
  // Calls every idle handler; never asks for more idle time.
  BOOL OnIdle(int idleCount);
  // False for the frequent messages that must not restart idle processing.
  static bool IsIdleMessage(const MSG& msg);

private:
  MSG msg_{};
  std::vector<CMessageFilter*> filters_;
  std::vector<CIdleHandler*> idleHandlers_;
};
