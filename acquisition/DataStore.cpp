// Clearing and relabelling the data store.
#include "app/MainDlg.h"
#include "platform/Format.h"

void CMainDlg::ResetAll() {
  m_nRxLength = 0;
  std::fill_n(m_rxFrame.begin(), kRowLength, BYTE{0});
  m_traceBuf.fill(0);
  m_frameCount.fill(0);
  m_bAwaitingFrame = 0;
  for (int s = 0; s < kSensorCount; ++s) {
    m_curFrames[s].fill(0);
    m_prevFrames[s].fill(0);
    m_avgFrames[s].fill(0);
    m_sums[s].fill(0);
  }
  for (std::string& label : m_strCount) label = " 0";
  UpdateData(FALSE);
}

void CMainDlg::PrepareRequest() {
  m_nRxLength = 0;
  m_traceBuf.fill(0);
  m_strData.clear();
}

void CMainDlg::OnClear() {
  ResetAll();
  InvalidateRect(&m_rcPlot, TRUE);
}

void CMainDlg::UpdateCountLabel(unsigned sensor) {
  const unsigned s = sensor & 0xFF;
  if (s > 29) return;
  m_strCount[s] = Format("%2d", static_cast<int>(m_frameCount[s]));
}
