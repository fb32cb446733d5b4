// The plot rectangle inside the "Wave display" group box, and the sample-to-pixel scales.
#include "display/PlotGeometry.h"

#include <bit>

#include "app/MainDlg.h"

namespace {

const float kPositionScale = std::bit_cast<float>(0x3B83126Fu);  // 0.004000000189989805
const float kLevelScale = std::bit_cast<float>(0x3B800000u);     // 1 / 256

constexpr int kPlotInset = 15;

}  // namespace

float PositionScale(int width) { return static_cast<float>(static_cast<double>(width) * kPositionScale); }

float LevelScale(int height) { return static_cast<float>(static_cast<double>(height) * kLevelScale); }

void CMainDlg::InitPlotArea() {
  GetDlgItem(IDC_WAVE_DISPLAY)->GetWindowRect(&m_rcPlot);
  ScreenToClient(&m_rcPlot);
  m_rcPlot.left += kPlotInset;
  m_rcPlot.top += kPlotInset;
  m_rcPlot.right -= kPlotInset;
  m_rcPlot.bottom -= kPlotInset;
  m_nOriginX = m_rcPlot.left;
  m_nOriginY = m_rcPlot.bottom;
  const int width = m_rcPlot.right - m_rcPlot.left;
  const int height = m_rcPlot.bottom - m_rcPlot.top;
  m_fScaleX = PositionScale(width);
  m_fScaleY = LevelScale(height);
}

// The products are formed exactly and truncated toward zero, never rounded.
int CMainDlg::PlotX(int position) const {
  return m_nOriginX + static_cast<int>(static_cast<double>(position) * static_cast<double>(m_fScaleX));
}

int CMainDlg::PlotY(int level) const {
  return m_nOriginY - static_cast<int>(static_cast<double>(level) * static_cast<double>(m_fScaleY));
}
