// The frame intake: takes the first read of each request for the current sensor.
#include <algorithm>
#include <cassert>

#include "app/MainDlg.h"
#include "platform/Format.h"
#include "reports/SensorBlock.h"

LRESULT CMainDlg::OnFrameReceived(WPARAM wParam, LPARAM lParam) {
  const unsigned s = m_nCurSensor;
  assert(IsSensorNumber(static_cast<int>(s)) && "the current sensor is always 0..29");

  if (m_bAwaitingFrame != 1) return 0;
  m_bAwaitingFrame = 0;

  // A read is at most 255 bytes; the worker never hands over more.
  const auto length = static_cast<std::uint32_t>(std::min<WPARAM>(wParam, kRowLength));
  const auto* bytes = reinterpret_cast<const BYTE*>(lParam);
  m_rxFrame.fill(0);
  m_nRxLength = length;
  std::copy_n(bytes, length, m_rxFrame.begin());

  m_editTotal.SetWindowText(Format("%d", m_rxFrame[0]));

  ++m_frameCount[s];
  UpdateCountLabel(s);
  UpdateData(FALSE);

  // Positions 0..P: the read and the zero after it, as far as the row reaches.
  const std::uint32_t last = std::min<std::uint32_t>(length, kRowLength - 1);
  FrameRow& current = m_curFrames[s];
  FrameRow& previous = m_prevFrames[s];
  if (m_frameCount[s] == 0) {
    // The count has just wrapped: the latest row is overwritten, the previous row kept.
    std::copy_n(m_rxFrame.begin(), last + 1, current.begin());
  } else {
    for (std::uint32_t k = 0; k <= last; ++k) {
      previous[k] = current[k];
      current[k] = m_rxFrame[k];
    }
  }

  m_sums[s][0] += m_rxFrame[0];
  for (std::uint32_t k = 1; k <= last; ++k) m_sums[s][k] += static_cast<std::int8_t>(m_rxFrame[k]);

  if (m_bSweepMode == 1) AppendSweepBlock(m_strSweepLog, SensorChar(static_cast<int>(s)), m_rxFrame.data());

  m_nDisplayMode = 0;
  InvalidateRect(&m_rcPlot, TRUE);
  return 0;
}
