// The window thread's queue: priorities, blocking sends, timers on a manual clock, and the
// nested loop of a message box.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Dialog.h"
#include "platform/MessageQueue.h"
#include "platform/Runtime.h"
#include "res/ProgramResources.h"
#include "support/TestHost.h"

using namespace std::chrono_literals;

namespace {

constexpr HWND kWindow = 7;
constexpr UINT WM_PROBE = WM_USER + 1;

std::string Describe(const MSG& msg) {
  if (msg.message == WM_TIMER) return "timer " + std::to_string(msg.wParam);
  if (msg.message == WM_PAINT) return "paint";
  return "message " + std::to_string(msg.wParam);
}

class QueueTest : public ::testing::Test {
 protected:
  QueueTest() {
    queue.SetDispatcher([this](const MSG& msg, MessageQueue::Kind) {
      handled.push_back(Describe(msg));
      if (msg.message == WM_PAINT) queue.TakeUpdate(msg.hwnd);
      return LRESULT{static_cast<LRESULT>(msg.wParam) * 10};
    });
  }

  // Starts a thread that sends `value` (with `token`, when given) and returns once the send
  // waits in the queue.
  std::thread StartSender(WPARAM value, std::atomic<LRESULT>& result, SendToken* token = nullptr) {
    std::thread sender([this, value, &result, token] { result = queue.Send(MSG{kWindow, WM_PROBE, value, 0}, token); });
    while (queue.PendingSends() == 0) std::this_thread::yield();
    return sender;
  }

  ManualClock clock;
  MessageQueue queue{clock};
  std::vector<std::string> handled;
};

TEST_F(QueueTest, SendFromAnotherThreadIsHandledFirstAndBlocksItsSender) {
  queue.SetTimer(kWindow, 1, 30ms);
  clock.Advance(30ms);
  queue.Post(MSG{kWindow, WM_PROBE, 2, 0});
  queue.Invalidate(kWindow, {0, 0, 10, 10}, true);

  std::atomic<LRESULT> result{-1};
  std::thread sender = StartSender(1, result);
  ASSERT_TRUE(queue.DispatchOne());
  sender.join();
  EXPECT_EQ(result, 10) << "the sender gets the handler's result";

  while (queue.DispatchOne()) {
  }
  EXPECT_EQ(handled, (std::vector<std::string>{"message 1", "message 2", "paint", "timer 1"}));
}

TEST_F(QueueTest, SenderStaysBlockedWhileItsMessageIsHandled) {
  std::atomic<bool> returned{false};
  std::atomic<bool> returnedDuringHandler{true};
  queue.SetDispatcher([&](const MSG&, MessageQueue::Kind) {
    returnedDuringHandler = returned.load();
    return LRESULT{0};
  });
  std::thread sender([&] {
    queue.Send(MSG{kWindow, WM_PROBE, 0, 0});
    returned = true;
  });
  while (queue.PendingSends() == 0) std::this_thread::yield();
  EXPECT_FALSE(returned);
  queue.DispatchOne();
  sender.join();
  EXPECT_FALSE(returnedDuringHandler);
  EXPECT_TRUE(returned);
}

TEST_F(QueueTest, TimersFireInDueOrderAndALateTickFiresOnceKeepingItsPhase) {
  queue.SetTimer(kWindow, 2, 100ms);
  queue.SetTimer(kWindow, 1, 30ms);
  clock.Advance(100ms);  // timer 1 missed the ticks at 30, 60 and 90
  queue.DispatchAll();
  EXPECT_EQ(handled, (std::vector<std::string>{"timer 1", "timer 2"}));

  handled.clear();
  clock.Advance(19ms);
  queue.DispatchAll();
  EXPECT_TRUE(handled.empty());
  clock.Advance(1ms);  // 120: the next tick of timer 1's 30 ms rhythm
  queue.DispatchAll();
  EXPECT_EQ(handled, (std::vector<std::string>{"timer 1"}));
}

TEST_F(QueueTest, SettingARunningTimerRestartsItAndKillingStopsIt) {
  queue.SetTimer(kWindow, 1, 30ms);
  clock.Advance(20ms);
  queue.SetTimer(kWindow, 1, 100ms);
  clock.Advance(99ms);
  queue.DispatchAll();
  EXPECT_TRUE(handled.empty());
  clock.Advance(1ms);
  queue.DispatchAll();
  EXPECT_EQ(handled.size(), 1u);

  EXPECT_TRUE(queue.KillTimer(kWindow, 1));
  clock.Advance(1000ms);
  queue.DispatchAll();
  EXPECT_EQ(handled.size(), 1u);
  EXPECT_FALSE(queue.KillTimer(kWindow, 1));
}

TEST_F(QueueTest, InvalidationsAccumulateOneRectangleAndTheEraseFlag) {
  queue.Invalidate(kWindow, {10, 10, 20, 20}, false);
  queue.Invalidate(kWindow, {30, 5, 40, 15}, true);
  queue.Invalidate(kWindow, {0, 0, 5, 5}, false);
  const auto update = queue.PeekUpdate(kWindow);
  ASSERT_TRUE(update);
  EXPECT_EQ(update->rect, (RECT{0, 0, 40, 20}));
  EXPECT_TRUE(update->erase);
  queue.DispatchAll();
  EXPECT_EQ(handled, (std::vector<std::string>{"paint"}));
  EXPECT_FALSE(queue.PeekUpdate(kWindow));
}

TEST_F(QueueTest, AbandonedAndForgottenSendsReleaseTheirSendersUnhandled) {
  SendToken token;
  std::atomic<LRESULT> first{-1};
  std::thread sender = StartSender(1, first, &token);
  queue.Abandon(token);
  sender.join();
  EXPECT_EQ(first, 0);

  std::atomic<LRESULT> second{-1};
  sender = StartSender(2, second);
  queue.ForgetWindow(kWindow);
  sender.join();
  EXPECT_EQ(second, 0);
  EXPECT_FALSE(queue.DispatchOne());
  EXPECT_TRUE(handled.empty());
}

// A dialog that counts the timer ticks and probe messages it handles.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog() : CDialog(100) {}
  int ticks = 0;
  std::vector<WPARAM> probes;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER) ++ticks;
    if (message == WM_PROBE) probes.push_back(wParam);
    return CDialog::WindowProc(message, wParam, lParam);
  }
};

TEST(NestedLoop, AnOpenMessageBoxKeepsDispatchingSendsAndTicks) {
  ManualClock clock;
  TestHost host;
  Runtime runtime(host, clock, ProgramResources(), "velnor");
  ProbeDialog dialog;
  int ticksWhileOpen = 0;
  std::vector<WPARAM> probesWhileOpen;
  std::thread sender;

  host.onBox = [&](const TestHost::Box&) {
    runtime.PumpUntil([&] { return dialog.ticks >= 3; }, clock.Now() + 1000ms);
    ticksWhileOpen = dialog.ticks;
    probesWhileOpen = dialog.probes;
    return IDOK;
  };
  host.body = [&](CDialog&) {
    dialog.SetTimer(1, 30);
    sender = std::thread([&] { dialog.SendMessage(WM_PROBE, 42); });
    while (runtime.Queue().PendingSends() == 0) std::this_thread::yield();
    dialog.MessageBox("waiting");
  };
  dialog.DoModal();
  sender.join();

  EXPECT_EQ(ticksWhileOpen, 3);
  EXPECT_EQ(probesWhileOpen, (std::vector<WPARAM>{42}));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].caption, "velnor") << "a box without a caption shows the application title";
}

}  // namespace
