// The normal, compare and average views of the current sensor.
#include <algorithm>
#include <cassert>

#include "app/MainDlg.h"
#include "platform/Format.h"
#include "platform/WinApp.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// One line of the listing, as "%04d:0X%02X\r\n" makes it.
void AppendListingLine(std::string& listing, int position, BYTE sample) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const char line[] = {static_cast<char>('0' + position / 1000 % 10), static_cast<char>('0' + position / 100 % 10),
                       static_cast<char>('0' + position / 10 % 10),   static_cast<char>('0' + position % 10),
                       ':', '0', 'X', kHex[sample >> 4], kHex[sample & 0xF], '\r', '\n'};
  listing.append(line, sizeof line);
}

}  // namespace

// The current sensor, its latest frame's length N and how many samples a view shows for it:
// a row holds at most 254 samples (positions 1..254), so a length of 255 shows 254 and nothing
// reads past the row or past m_traceBuf. Also writes the status line.
CMainDlg::ViewedFrame CMainDlg::BeginView(const char* name) {
  const int s = m_nCurSensor;
  assert(IsSensorNumber(s) && "the current sensor is always 0..29");
  const BYTE length = m_curFrames[s][0];
  m_staticInfo.SetWindowText(Format("%s->CNT:%d,Select SensorNO:%d", name, length, s));
  return {s, std::min<int>(length, kRowLength - 1)};
}

void CMainDlg::DrawNormalView(CDC* pDC) {
  // The normal view's status line begins "AVERAGE->" too.
  const auto [s, n] = BeginView("AVERAGE");

  for (int k = 1; k <= n; ++k) m_traceBuf[k - 1] = m_curFrames[s][k];

  std::string listing;
  listing.reserve(static_cast<std::size_t>(n) * 11);
  for (int k = 0; k < n; ++k) AppendListingLine(listing, k, m_traceBuf[k]);
  m_editData.SetWindowText(listing);

  if (m_nPaintMode == 0)
    DrawTrace(pDC, m_traceBuf.data(), static_cast<BYTE>(n), kRed, FALSE);
  else if (m_nPaintMode == 1)
    DrawTraceTwoColour(pDC, m_traceBuf.data(), static_cast<BYTE>(n), kRed, kGreen);

  // Sum of squares over Start..End-1 with an 8-bit position counter that starts at Start
  // modulo 256. It stops at the end of m_traceBuf too, so an End above 255 (which the counter
  // could never reach) still ends, at position 254.
  UpdateData(TRUE);
  m_nSquareSum = 0;
  for (auto i = static_cast<std::uint8_t>(m_nStart); i < m_nEnd && i < kRowLength; ++i) {
    const int sample = static_cast<std::int8_t>(m_traceBuf[i]);
    m_nSquareSum += static_cast<UINT>(sample * sample);
  }
  UpdateData(FALSE);
}

void CMainDlg::DrawCompareView(CDC* pDC) {
  const auto [s, n] = BeginView("COMPARE");

  if (m_frameCount[s] < 2) {
    AfxMessageBox(Format("The time of the the receiving data for the %d group sensor is %d, \ncan't contrast display. ",
                         s, m_frameCount[s]),
                  MB_ICONWARNING);
    return;
  }
  // The latest frame's length serves for the previous frame too; green is drawn over red.
  for (int k = 1; k <= n; ++k) m_traceBuf[k - 1] = m_curFrames[s][k];
  if (m_nPaintMode == 0 || m_nPaintMode == 1)
    DrawTrace(pDC, m_traceBuf.data(), static_cast<BYTE>(n), kRed, m_nPaintMode == 1);
  for (int k = 1; k <= n; ++k) m_traceBuf[k - 1] = m_prevFrames[s][k];
  if (m_nPaintMode == 0 || m_nPaintMode == 1)
    DrawTrace(pDC, m_traceBuf.data(), static_cast<BYTE>(n), kGreen, m_nPaintMode == 1);
}

void CMainDlg::DrawAverageView(CDC* pDC) {
  const auto [s, n] = BeginView("AVERAGE");

  if (m_frameCount[s] == 0) {
    AfxMessageBox(
        Format("The time of the the receiving data for the %2d group sensor is 0, \r\ncan't calculate in average!", s),
        MB_ICONWARNING);
    return;
  }
  // Signed sums over the unsigned count, truncated toward zero; the low 8 bits are the level.
  const int count = m_frameCount[s];
  for (int k = 1; k <= n; ++k) m_traceBuf[k - 1] = static_cast<BYTE>(m_sums[s][k] / count);
  if (m_nPaintMode == 0 || m_nPaintMode == 1)
    DrawTrace(pDC, m_traceBuf.data(), static_cast<BYTE>(n), kBlue, m_nPaintMode == 1);
}
