// The plot's black background, dotted grey grid and axis numbers.
#include <cassert>

#include "app/MainDlg.h"
#include "platform/Format.h"

// The grid depends only on the plot's geometry, which never changes after start-up: it is
// drawn once into a recording and every paint copies those pixels, clipped as drawing would be.
void CMainDlg::DrawGrid(CDC* pDC, std::int8_t step) {
  assert(step > 0 && "the grid needs a positive step");
  if (!m_gridDrawing.IsRecorded() || m_gridStep != step) {
    RECT client;
    GetClientRect(&client);
    m_gridDrawing.Record({client.right, client.bottom}, [&](CDC& dc) { DrawGridOnto(&dc, step); });
    m_gridStep = step;
  }
  m_gridDrawing.Replay(*pDC);
  // The colours the grid's level numbers leave on the context.
  pDC->SetBkColor(RGB(0, 0, 0));
  pDC->SetTextColor(RGB(255, 255, 255));
}

void CMainDlg::DrawGridOnto(CDC* pDC, std::int8_t step) {
  // The surface's initial black pen outlines the rectangle, so all of it comes out black.
  CBrush background(RGB(0, 0, 0));
  CBrush* oldBrush = pDC->SelectObject(&background);
  pDC->Rectangle(m_rcPlot.left, m_rcPlot.top, m_rcPlot.right, m_rcPlot.bottom);
  pDC->SelectObject(oldBrush);

  CPen grid(PS_SOLID, 1, RGB(100, 100, 100));
  CPen* oldPen = pDC->SelectObject(&grid);

  // Positions 0, step, ... up to 250: numbers below the plot in the surface's initial black
  // on white, then a dotted line of 256 dots, each a one-pixel line toward the pixel above.
  for (int p = 0; p <= 250; p += step) {
    const int x = PlotX(p);
    pDC->TextOut(x - 10, m_nOriginY, Format("%d", p));
    for (int i = 0; i <= 255; ++i) {
      const int y = PlotY(i);
      pDC->MoveTo(x, y);
      pDC->LineTo(x, y - 1);
    }
  }

  // Levels 0, step, ... below 256: white-on-black numbers inside the left edge (none for 0),
  // then a dotted line of 250 dots, each a one-pixel line toward the pixel to its right.
  for (int v = 0; v < 256; v += step) {
    const int y = PlotY(v);
    pDC->SetBkColor(RGB(0, 0, 0));
    pDC->SetTextColor(RGB(255, 255, 255));
    if (v != 0) pDC->TextOut(m_nOriginX, y - 10, Format("%d", v));
    for (int i = 0; i <= 249; ++i) {
      const int x = PlotX(i);
      pDC->MoveTo(x, y);
      pDC->LineTo(x + 1, y);
    }
  }

  pDC->SelectObject(oldPen);
}
