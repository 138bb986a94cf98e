#pragma once

// What a request does while it waits for the network: the program's one
// thread keeps its window alive here, and may ask the request to stop.
class WaitHook {
public:
  virtual ~WaitHook() = default;
  // Asked whenever 50 ms of a request have passed since the last time,
  // whether data came in between or not. False stops the request at once: it
  // fails, as if nothing had arrived.
  virtual bool KeepWaiting() = 0;
};
