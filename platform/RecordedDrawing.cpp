#include "platform/RecordedDrawing.h"

#include <algorithm>

#include "platform/PaintDC.h"

void RecordedDrawing::Record(SIZE size, const std::function<void(CDC&)>& draw) {
  // Drawn twice, on two different backgrounds: a pixel the drawing set is the same in both.
  Surface first(size.cx, size.cy, RGB(1, 2, 3));
  Surface second(size.cx, size.cy, RGB(4, 5, 6));
  for (Surface* surface : {&first, &second}) {
    CDC dc(*surface, {0, 0, size.cx, size.cy});
    draw(dc);
  }
  runs_.clear();
  for (int y = 0; y < size.cy; ++y) {
    const std::uint32_t* a = first.Row(y);
    const std::uint32_t* b = second.Row(y);
    for (int x = 0; x < size.cx;) {
      if (a[x] != b[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < size.cx && a[x] == b[x]) ++x;
      runs_.push_back({y, start, std::vector<std::uint32_t>(a + start, a + x)});
    }
  }
  recorded_ = true;
}

void RecordedDrawing::Replay(CDC& dc) const {
  const RECT& clip = dc.GetClipBox();
  Surface& surface = dc.GetSurface();
  for (const Run& run : runs_) {
    if (run.y < clip.top || run.y >= clip.bottom) continue;
    const int left = std::max(run.x, static_cast<int>(clip.left));
    const int right = std::min(run.x + static_cast<int>(run.pixels.size()), static_cast<int>(clip.right));
    if (left >= right) continue;
    std::copy(run.pixels.begin() + (left - run.x), run.pixels.begin() + (right - run.x), surface.Row(run.y) + left);
  }
}
