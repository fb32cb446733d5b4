// The running program's context: its host, clock, window-thread queue, windows, resources and
// title. One is current at a time; the product makes one in main, each test its own.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/Clock.h"
#include "platform/Host.h"
#include "platform/MessageQueue.h"
#include "platform/ResourceProvider.h"

class CWnd;

class Runtime {
 public:
  Runtime(Host& host, Clock& clock, const ResourceProvider& resources, std::string appTitle);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  static Runtime& Current();

  Host& GetHost() const { return host_; }
  Clock& GetClock() const { return clock_; }
  MessageQueue& Queue() { return queue_; }
  const ResourceProvider& Resources() const { return resources_; }
  // The base name of the program file: the caption of every message box.
  const std::string& AppTitle() const { return appTitle_; }

  HWND Register(CWnd& window);
  void Rebind(HWND hwnd, CWnd& window);  // another object takes over a window (subclassing)
  void Unregister(HWND hwnd);
  CWnd* FromHandle(HWND hwnd) const;

  // Hands a message to its window: posted messages and timer ticks pass through the
  // pre-translation of the window and its parents first.
  LRESULT Deliver(const MSG& msg, MessageQueue::Kind kind);
  // Offers `msg` to the pre-translation of its window and the window's parents; true when one
  // of them took it. A host calls this for a key before its own control handles the key.
  bool PreTranslate(MSG& msg);

  // Dispatches, waiting for work as the clock says, until `done` holds or `deadline` comes.
  // Returns whether `done` held. This is the nested loop of every modal thing.
  bool PumpUntil(const std::function<bool()>& done,
                 Clock::time_point deadline = Clock::time_point::max());

 private:
  Host& host_;
  Clock& clock_;
  const ResourceProvider& resources_;
  std::string appTitle_;
  MessageQueue queue_;
  std::map<HWND, CWnd*> windows_;
  HWND nextHandle_ = 0x100;
  Runtime* previous_;
};
