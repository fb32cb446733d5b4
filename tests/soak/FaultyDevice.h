// A measuring device on a pseudo-terminal that answers each request byte exactly as the test
// planned it: on time, split by a gap, too long, not at all, or by hanging up. Late answers and
// bytes while idle are written when the test says so.
//
// Threads: a thread of its own reads the request bytes and makes the planned writes at their
// times. It alone touches the master side; the test's thread hands it work (a write now, an
// unplug) and waits until that work is done.
//
// The device side stays as Linux opens it (cooked, echoing) until the program makes it raw.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Types.h"

class FaultyDevice {
 public:
  using Bytes = std::vector<BYTE>;
  using SteadyClock = std::chrono::steady_clock;

  struct Write {
    std::chrono::milliseconds after;  // counted from the arrival of the request byte
    Bytes bytes;                      // written in one call
  };
  struct Reply {
    char request = 0;           // the request byte this reply answers
    std::vector<Write> writes;  // in order of time
    bool hangUp = false;        // close the device side once the program has read the last write (at once without writes)
  };

  FaultyDevice();
  ~FaultyDevice();
  FaultyDevice(const FaultyDevice&) = delete;
  FaultyDevice& operator=(const FaultyDevice&) = delete;

  const std::string& DevicePath() const { return path_; }

  // The replies to the next request bytes, one each, in order.
  void Expect(std::vector<Reply> replies);
  // Writes `bytes` in one call, now; returns once they are written.
  void Send(const Bytes& bytes);
  // Closes the device side, as when the cable is pulled; returns once it is closed.
  void Unplug();

  bool Unplugged() const;
  // No planned write is still to come.
  bool Quiet() const;
  // Bytes written that the program has not read yet.
  std::size_t Unread() const;
  SteadyClock::time_point LastWrite() const;
  // The request bytes received since the last call.
  std::string TakeRequests();
  // What went wrong on the device's side since the last call (empty when nothing did):
  // request bytes without a planned reply or other than planned, failed writes.
  std::string TakeProblems();
  // Replies that no request byte has used; they are dropped.
  std::size_t DropUnusedReplies();

 private:
  struct Due {
    SteadyClock::time_point at;
    Bytes bytes;
    bool hangUpAfter;
  };

  void Serve();
  void Wake() const;
  // With mutex_ held.
  void WriteLocked(const Bytes& bytes);
  void CloseLocked();
  void OnRequestLocked(BYTE request, SteadyClock::time_point now);
  // Waits until the program has read what was written, at most `limit`.
  void AwaitTakenLocked(std::chrono::milliseconds limit);

  int master_ = -1;
  int slave_ = -1;
  int wake_ = -1;
  std::string path_;

  mutable std::mutex mutex_;
  std::condition_variable done_;
  std::deque<Reply> replies_;
  std::deque<Due> due_;  // by time
  std::deque<Bytes> sends_;
  bool unplugAsked_ = false;
  bool stop_ = false;
  std::string requests_;
  std::string problems_;
  SteadyClock::time_point lastWrite_{};

  std::thread thread_;
};
