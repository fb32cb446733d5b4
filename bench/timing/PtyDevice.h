// The latency tool's own device, on a pseudo-terminal whose master it drives itself. It
// answers each request byte ('0'..'9', 'A'..'T') with that sensor's frame, written in one
// write(), and notes CLOCK_MONOTONIC the moment the write returns: the moment the frame's last
// byte is on the line. Anything else it reads is ignored.
#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PtyDevice {
 public:
  // Frames of `frameLength` samples (1..255). Throws when no pseudo-terminal can be had.
  explicit PtyDevice(int frameLength);
  ~PtyDevice();
  PtyDevice(const PtyDevice&) = delete;
  PtyDevice& operator=(const PtyDevice&) = delete;

  // The terminal side, for the program or the client to open.
  const std::string& Path() const { return path_; }
  // When each frame's write returned, in request order (CLOCK_MONOTONIC, ms).
  std::vector<double> WriteTimes() const;

 private:
  void Serve();
  void Answer(int sensor);

  const int frameLength_;
  int master_ = -1;
  int terminal_ = -1;  // kept open, so the master never sees a hang-up between users
  int wake_ = -1;
  std::string path_;
  unsigned requests_[30] = {};
  mutable std::mutex mutex_;
  std::vector<double> writes_;
  std::thread worker_;
};
