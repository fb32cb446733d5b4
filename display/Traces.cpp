// Drawing a sequence of samples as a polyline or as 2 x 2 dots.
#include "app/MainDlg.h"

namespace {

// The 2 x 2 block whose top-left pixel is the sample's point.
void Dot(CDC* pDC, int x, int y, COLORREF colour) {
  pDC->SetPixel(x, y, colour);
  pDC->SetPixel(x + 1, y, colour);
  pDC->SetPixel(x, y + 1, colour);
  pDC->SetPixel(x + 1, y + 1, colour);
}

}  // namespace

void CMainDlg::DrawTrace(CDC* pDC, const BYTE* samples, BYTE count, COLORREF colour, BOOL dots) {
  CPen pen(PS_SOLID, 2, colour);
  CPen* oldPen = pDC->SelectObject(&pen);
  if (!dots) {
    if (count >= 2) {
      pDC->MoveTo(PlotX(0), PlotY(samples[0]));
      for (int i = 1; i < count; ++i) pDC->LineTo(PlotX(i), PlotY(samples[i]));
    }
  } else {
    for (int i = 0; i < count; ++i) Dot(pDC, PlotX(i), PlotY(samples[i]), colour);
  }
  pDC->SelectObject(oldPen);
}

void CMainDlg::DrawTraceTwoColour(CDC* pDC, const BYTE* samples, BYTE count, COLORREF even, COLORREF odd) {
  for (int i = 0; i < count; ++i) Dot(pDC, PlotX(i), PlotY(samples[i]), i % 2 == 0 ? even : odd);
}
