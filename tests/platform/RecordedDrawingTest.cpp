// A recorded drawing replays exactly the pixels the drawing sets, through the replay's clip.
#include <gtest/gtest.h>

#include "platform/PaintDC.h"
#include "platform/RecordedDrawing.h"

namespace {

void Draw(CDC& dc) {
  CBrush black(RGB(0, 0, 0));
  CBrush* old = dc.SelectObject(&black);
  dc.Rectangle(2, 2, 9, 7);
  dc.SelectObject(old);
  CPen grey(PS_SOLID, 1, RGB(100, 100, 100));
  dc.SelectObject(&grey);
  dc.MoveTo(0, 9);
  dc.LineTo(12, 9);
  dc.TextOut(5, 0, "4");
}

TEST(RecordedDrawing, ReplayMatchesDrawingThroughTheSameClip) {
  const SIZE size{12, 18};
  RecordedDrawing recording;
  recording.Record(size, Draw);
  ASSERT_TRUE(recording.IsRecorded());
  for (const RECT clip : {RECT{0, 0, 12, 18}, RECT{3, 1, 7, 10}, RECT{0, 9, 12, 10}, RECT{20, 20, 30, 30}}) {
    Surface drawn(size.cx, size.cy, RGB(200, 10, 10));
    Surface replayed(size.cx, size.cy, RGB(200, 10, 10));
    CDC drawDc(drawn, clip);
    Draw(drawDc);
    CDC replayDc(replayed, clip);
    recording.Replay(replayDc);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x)
        ASSERT_EQ(replayed.GetPixel(x, y), drawn.GetPixel(x, y)) << x << "," << y << " clip " << clip.left;
  }
}

}  // namespace
