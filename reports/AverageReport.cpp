// "Average": per-position averages of every sensor with frames, written to "SensorAvg.txt".
#include <algorithm>

#include "app/FileMessages.h"
#include "app/MainDlg.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "reports/SensorBlock.h"

namespace {

constexpr const char* kReportFileName = "SensorAvg.txt";

// A block holds at most the 254 samples of a row: an average length of 255 is written as 254.
BYTE BlockLength(BYTE averageLength) { return static_cast<BYTE>(std::min<int>(averageLength, kRowLength - 1)); }

}  // namespace

void CMainDlg::OnAverage() {
  m_nDisplayMode = 2;
  m_nSavedMode = 2;
  WriteAverageReport();
  InvalidateRect(&m_rcPlot, TRUE);
}

void CMainDlg::WriteAverageReport() {
  std::string reason;
  const auto directory = CurrentDirectory(&reason);
  if (!directory) {
    MessageBox(CannotWriteText(kReportFileName, reason), nullptr, MB_ICONWARNING);
    return;
  }
  const std::string path = PathIn(*directory, kReportFileName);

  std::array<std::int32_t, kSensorCount> blockSums{};
  for (int s = 0; s < kSensorCount; ++s) {
    if (m_frameCount[s] == 0) continue;
    const int count = m_frameCount[s];
    for (int k = 0; k < kRowLength; ++k) m_avgFrames[s][k] = static_cast<BYTE>(m_sums[s][k] / count);
    UpdateData(TRUE);
    const int n = BlockLength(m_avgFrames[s][0]);
    for (int i = 1; i <= n; ++i) {
      const int sample = static_cast<std::int8_t>(m_avgFrames[s][i]);
      blockSums[s] += sample * sample;
    }
  }

  std::string text;
  for (int s = 0; s < kSensorCount; ++s) {
    if (m_frameCount[s] == 0) continue;
    AppendReportBlock(text, SensorChar(s), BlockLength(m_avgFrames[s][0]), m_frameCount[s], blockSums[s],
                      m_avgFrames[s].data());
  }

  MakeUpper(text);
  if (!WriteWholeFile(path, text, &reason)) MessageBox(CannotWriteText(path, reason), nullptr, MB_ICONWARNING);
}
