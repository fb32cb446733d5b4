// "Save": the last frame received, written to the file of the sensor the list shows.
#include "app/FileMessages.h"
#include "app/MainDlg.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace {

// "sensor0.txt".."sensorT.txt" for the 30 entries "SENSOR 0".."SENSOR T", compared exactly;
// empty for any other text.
std::string FileNameFor(const std::string& listText) {
  for (int s = 0; s < kSensorCount; ++s)
    if (listText == Format("SENSOR %c", SensorChar(s))) return Format("sensor%c.txt", SensorChar(s));
  return {};
}

}  // namespace

void CMainDlg::OnSave() {
  std::string reason;
  const auto directory = CurrentDirectory(&reason);

  std::string listText;
  GetDlgItemText(IDC_SENSOR_LIST, listText);
  if (listText.empty()) {
    MessageBox("没有选择传感器,不能保存数据");
    return;
  }
  const std::string fileName = FileNameFor(listText);
  if (m_nRxLength == 0) {
    MessageBox("Do not receiving data, cann't save data!");
    return;
  }
  if (fileName.empty()) {
    MessageBox("\"" + listText + "\" names no sensor, so the frame has no file to go to.", nullptr, MB_ICONWARNING);
    return;
  }
  if (!directory) {
    MessageBox(CannotWriteText(fileName, reason), nullptr, MB_ICONWARNING);
    return;
  }

  const int n = m_rxFrame[0];
  std::string text = Format("receive data length is: %3d\r\n", n);
  for (int i = 1; i <= n; ++i) {
    AppendFormat(text, "0X%02x", m_rxFrame[i]);
    if (i != n) text += ", ";
    if (i % 10 == 0) text += "\r\n";
  }
  MakeUpper(text);
  const std::string path = PathIn(*directory, fileName);
  if (!WriteWholeFile(path, text, &reason)) MessageBox(CannotWriteText(path, reason), nullptr, MB_ICONWARNING);
}
