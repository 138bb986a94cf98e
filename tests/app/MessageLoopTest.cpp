#include "app/AppModule.h"
#include "app/MessageLoop.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// Thread messages that the loop's own handling needs no window for.
constexpr UINT kScriptNext = WM_APP + 1;
constexpr UINT kConsumed = WM_APP + 2;

struct Journal {
  std::vector<std::string> entries;
};

class RecordingFilter : public CMessageFilter {
public:
  RecordingFilter(Journal& journal, std::string name, UINT consumes)
      : journal_(journal), name_(std::move(name)), consumes_(consumes) {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message >= WM_APP) journal_.entries.push_back(name_ + ":" + std::to_string(msg->message - WM_APP));
    return msg->message == consumes_;
  }

private:
  Journal& journal_;
  std::string name_;
  UINT consumes_;
};

// Each idle call runs the next step of a script of posted messages.
class ScriptedIdle : public CIdleHandler {
public:
  explicit ScriptedIdle(Journal& journal) : journal_(journal) {}
  ~ScriptedIdle() {
    if (late_.joinable()) late_.join();
  }
  BOOL OnIdle() override {
    journal_.entries.push_back("idle");
    switch (calls_++) {
      case 0:
        PostThreadMessageA(GetCurrentThreadId(), kConsumed, 0, 0);
        break;
      case 1:
        // Frequent messages do not bring idle processing back, even when the
        // queue is empty after them: the message that comes later does.
        PostThreadMessageA(GetCurrentThreadId(), WM_MOUSEMOVE, 0, 0);
        PostThreadMessageA(GetCurrentThreadId(), WM_PAINT, 0, 0);
        PostThreadMessageA(GetCurrentThreadId(), 0x0118, 0, 0);
        late_ = std::thread([thread = GetCurrentThreadId()] {
          Sleep(200);
          PostThreadMessageA(thread, kScriptNext, 0, 0);
        });
        break;
      default:
        PostQuitMessage(7);
    }
    return TRUE;  // asking for more changes nothing: one idle pass per quiet spell
  }

private:
  Journal& journal_;
  int calls_ = 0;
  std::thread late_;
};

TEST(MessageLoop, FiltersAreOfferedLastRegisteredFirstAndIdleRunsOncePerQuietSpell) {
  Journal journal;
  RecordingFilter first(journal, "first", 0);
  RecordingFilter second(journal, "second", kConsumed);
  ScriptedIdle idle(journal);
  CMessageLoop loop;
  loop.AddMessageFilter(&first);
  loop.AddMessageFilter(&second);
  loop.AddIdleHandler(&idle);

  EXPECT_EQ(loop.Run(), 7);
  std::vector<std::string> expected = {"idle",     "second:2", "idle", "second:1",
                                       "first:1",  "idle"};
  EXPECT_EQ(journal.entries, expected);
}

TEST(MessageLoop, RemovedFiltersAndHandlersAreNotCalled) {
  Journal journal;
  RecordingFilter filter(journal, "filter", 0);
  ScriptedIdle idle(journal);
  ScriptedIdle removed(journal);
  CMessageLoop loop;
  loop.AddMessageFilter(&filter);
  loop.AddIdleHandler(&removed);
  loop.AddIdleHandler(&idle);
  EXPECT_TRUE(loop.RemoveMessageFilter(&filter));
  EXPECT_TRUE(loop.RemoveIdleHandler(&removed));
  EXPECT_FALSE(loop.RemoveIdleHandler(&removed));
  EXPECT_EQ(loop.Run(), 7);
  EXPECT_EQ(journal.entries, (std::vector<std::string>{"idle", "idle", "idle"}));
}

TEST(AppModule, KeepsOneLoopPerThread) {
  CMessageLoop mine;
  CMessageLoop theirs;
  ASSERT_TRUE(gModule.AddMessageLoop(&mine));
  EXPECT_FALSE(gModule.AddMessageLoop(&theirs));
  EXPECT_EQ(gModule.GetMessageLoop(), &mine);
  DWORD uiThread = GetCurrentThreadId();
  CMessageLoop* seenElsewhere = &theirs;
  CMessageLoop* uiSeenElsewhere = nullptr;
  std::thread other([&] {
    seenElsewhere = gModule.GetMessageLoop();
    uiSeenElsewhere = gModule.GetMessageLoop(uiThread);
  });
  other.join();
  EXPECT_EQ(seenElsewhere, nullptr);
  EXPECT_EQ(uiSeenElsewhere, &mine);
  EXPECT_TRUE(gModule.RemoveMessageLoop());
  EXPECT_EQ(gModule.GetMessageLoop(), nullptr);
}

}  // namespace
