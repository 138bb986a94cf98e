#pragma once

#include "net/WaitHook.h"

// How a running search shows its course and learns to stop: the window keeps
// itself alive in the network waits, counts the requests in its title and
// stops on Esc or a close.
class SearchPace : public WaitHook {
public:
  // Before the first request and after each one: requests done of those planned.
  virtual void RequestsDone(int done, int planned) = 0;
  // True once no further request should be sent.
  virtual bool StopRequested() = 0;
};

// A search nobody watches: it waits without a break and runs to its end.
class PlainPace : public SearchPace {
public:
  bool KeepWaiting() override { return true; }
  void RequestsDone(int, int) override {}
  bool StopRequested() override { return false; }
};
