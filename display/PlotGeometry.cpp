// The plot rectangle inside the "Wave display" group box, and the sample-to-pixel scales.
#include <bit>

#include "app/MainDlg.h"

namespace {

// Pixels per sample position: width x 0.004, so 250 positions span the width. The constant is
// the single-precision value nearest to 0.004, slightly above it.
const float kPositionScale = std::bit_cast<float>(0x3B83126Fu);
// Pixels per level: height / 256, exact.
const float kLevelScale = std::bit_cast<float>(0x3B800000u);

constexpr int kPlotInset = 15;

}  // namespace

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
  // Each product is formed exactly (in double) and rounded once, to single precision.
  m_fScaleX = static_cast<float>(static_cast<double>(width) * kPositionScale);
  m_fScaleY = static_cast<float>(static_cast<double>(height) * kLevelScale);
}
