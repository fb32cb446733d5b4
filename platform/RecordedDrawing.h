// A drawing recorded once and replayed through any context's clip, for what is drawn the same
// way at every paint. Replaying copies the recorded pixels instead of drawing them again.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Types.h"

class CDC;

class RecordedDrawing {
 public:
  // Runs `draw` on a fresh context over a surface of `size` and keeps every pixel it set. The
  // drawing must not depend on what is on the surface already (it draws, it does not read).
  void Record(SIZE size, const std::function<void(CDC&)>& draw);
  bool IsRecorded() const { return recorded_; }
  // Sets the recorded pixels that lie inside the context's clip.
  void Replay(CDC& dc) const;

 private:
  struct Run {
    int y;
    int x;
    std::vector<std::uint32_t> pixels;
  };
  std::vector<Run> runs_;
  bool recorded_ = false;
};
