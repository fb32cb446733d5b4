// Opening and closing the serial port, and writing to it.
#include "app/MainDlg.h"
#include "platform/Runtime.h"
#include "platform/SerialPortNames.h"
#include "serial/SerialLink.h"

std::shared_ptr<SerialPort> g_hComm;
std::unique_ptr<ReceiveWorker> g_pRxThread;

namespace {

// The port in use is closed and its worker retired before another is opened. After that no
// worker is left, so a failed open leaves no worker behind that still counts as a port.
void ClosePort() {
  g_pRxThread.reset();
  g_hComm.reset();
}

}  // namespace

void CMainDlg::OpenPort(unsigned index, int baudRate) {
  if (g_pRxThread) ClosePort();
  if (index > 7) {
    MessageBox("Serial port error!");
    return;
  }
  Runtime::Current().GetClock().Sleep(Clock::duration(100));

  std::shared_ptr<SerialPort> port;
  if (const auto path = SerialPortNames::Instance().PathOf(static_cast<int>(index) + 1))
    port = SerialPort::Open(*path, baudRate, nullptr);
  if (!port) {
    MessageBox("Can't open the serial port, please check the hardware!", nullptr, MB_ICONWARNING);
    SetDlgItemText(IDC_COM, "");
    SetDlgItemText(IDC_BAUDRATE, "");
    return;
  }
  SetDlgItemInt(IDC_COM, index + 1);
  SetDlgItemInt(IDC_BAUDRATE, static_cast<UINT>(baudRate));
  g_hComm = port;
  g_pRxThread = std::make_unique<ReceiveWorker>(*this, std::move(port));
}

int SendBytes(const std::shared_ptr<SerialPort>& port, const BYTE* bytes, int count) {
  if (!port || count < 0) return 0;
  return port->Write(bytes, static_cast<std::size_t>(count)) ? 1 : 0;
}

void CMainDlg::OnPortToggle() {
  if (g_pRxThread) {
    ClosePort();
    SetDlgItemText(IDC_COM, "");
    SetDlgItemText(IDC_BAUDRATE, "");
    SetDlgItemText(IDC_PORT_TOGGLE, "打开串口");
  } else {
    SetDlgItemText(IDC_PORT_TOGGLE, "关闭串口");
  }
}

// The worker reads this dialog's flags, so it cannot outlive the dialog.
void CMainDlg::ClosePortAtEnd() { ClosePort(); }
