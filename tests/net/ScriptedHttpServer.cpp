#include "tests/net/ScriptedHttpServer.h"

#include <chrono>
#include <thread>

ScriptedHttpServer& ScriptedHttpServer::Send(std::string bytes) {
  steps_.push_back({std::move(bytes), 0});
  return *this;
}

ScriptedHttpServer& ScriptedHttpServer::Pause(int milliseconds) {
  steps_.push_back({std::string(), milliseconds});
  return *this;
}

ScriptedHttpServer& ScriptedHttpServer::HoldOpen() {
  holdOpen_ = true;
  return *this;
}

ScriptedHttpServer& ScriptedHttpServer::Trickle(char byte, int intervalMs) {
  holdOpen_ = true;
  trickleByte_ = byte;
  trickleMs_ = intervalMs;
  return *this;
}

bool ScriptedHttpServer::Start(const std::string& address) {
  return server_.Start(address, 80, [this](TestConnection& connection) { Serve(connection); });
}

ScriptedHttpServer::Record ScriptedHttpServer::Finish() {
  server_.Stop();
  std::lock_guard<std::mutex> lock(mutex_);
  return record_;
}

void ScriptedHttpServer::Serve(TestConnection& connection) {
  std::string request;
  connection.ReceiveRequest(request);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++record_.connections;
    record_.request = request;
  }
  for (const Step& step : steps_) {
    if (step.pauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs));
    if (!step.bytes.empty() && !connection.Send(step.bytes)) return;
  }
  if (holdOpen_) {
    bool closed = false;
    if (trickleMs_ > 0) {
      const std::string byte(1, trickleByte_);
      const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHoldMs);
      while (!closed && std::chrono::steady_clock::now() < end)
        closed = !connection.Send(byte) || connection.WaitForPeerClose(trickleMs_);
    } else {
      closed = connection.WaitForPeerClose(kHoldMs);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    record_.clientClosedWhileHeld = closed;
  }
}
