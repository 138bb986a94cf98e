#pragma once

#include <windows.h>

#include <map>
#include <mutex>

class CMessageLoop;

// One per process: the program instance (for its resources) and each
// user-interface thread's message loop.
class CAppModule {
public:
  bool Init(HINSTANCE instance);
  void Term();
  HINSTANCE GetResourceInstance() const { return instance_; }

  bool AddMessageLoop(CMessageLoop* loop);  // for the calling thread
  bool RemoveMessageLoop();
  CMessageLoop* GetMessageLoop(DWORD threadId = GetCurrentThreadId());

private:
  HINSTANCE instance_ = nullptr;
  std::mutex lock_;  // guards loops_
  std::map<DWORD, CMessageLoop*> loops_;
};

extern CAppModule gModule;
