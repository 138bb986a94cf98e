#include "app/AppModule.h"

CAppModule gModule;

bool CAppModule::Init(HINSTANCE instance) {
  instance_ = instance;
  return true;
}

void CAppModule::Term() {
  std::lock_guard<std::mutex> guard(lock_);
  loops_.clear();
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) {
  std::lock_guard<std::mutex> guard(lock_);
  return loops_.emplace(GetCurrentThreadId(), loop).second;
}

bool CAppModule::RemoveMessageLoop() {
  std::lock_guard<std::mutex> guard(lock_);
  return loops_.erase(GetCurrentThreadId()) == 1;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = loops_.find(threadId);
  return found == loops_.end() ? nullptr : found->second;
}
