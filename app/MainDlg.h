// The main dialog (template 102): the whole program's window and all of its state.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "app/Sensors.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/MessageMap.h"
#include "platform/PaintDC.h"
#include "platform/RecordedDrawing.h"
#include "res/resource.h"

// Sent (never posted) by the receive worker: wParam the byte count 1..255, lParam the address
// of the bytes, valid only during the call.
constexpr UINT WM_FRAME_RECEIVED = WM_USER + 1000;

// System-menu command of the About entry.
constexpr UINT IDM_ABOUTBOX = 0x0010;

using FrameRow = std::array<BYTE, kRowLength>;

class CMainDlg : public CDialog {
 public:
  explicit CMainDlg(CWnd* pParent = nullptr);
  ~CMainDlg() override;

  static const MessageMap<CMainDlg>& GetMessageMap();

  // Start-up, system menu, closing.
  BOOL OnInitDialog() override;
  void OnSysCommand(UINT nID, LPARAM lParam);
  HICON OnQueryDragIcon();
  void OnClose();
  BOOL OnEraseBkgnd(CDC* pDC);

  // Controls and data exchange.
  void DoDataExchange(CDataExchange* pDX) override;
  void OnContinue();
  void OnDisperse();
  void OnSensorEditChange();
  void OnSensorSelChange();
  // The sensor list (a drop-down combo box), which requests, the sweep and start-up select in.
  CComboBox* SensorList();

  // The data store.
  void ResetAll();
  void PrepareRequest();
  void OnClear();
  void UpdateCountLabel(unsigned sensor);

  // Frame intake.
  LRESULT OnFrameReceived(WPARAM wParam, LPARAM lParam);

  // Requests and the all-sensor sweep.
  void RequestSensor(int sensor, UINT tick);
  void OnSensorButton(UINT id);
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnAllSensor();
  void FinishSweep();

  // Serial port, port settings and configuration file.
  void OpenPort(unsigned index, int baudRate);
  void OnPortToggle();
  void OnSetComm();
  int ReadConfig();
  int WriteConfig();
  void ClosePortAtEnd();

  // Reports and files.
  void OnAverage();
  void WriteAverageReport();
  void OnSave();
  void OnImportFile();

  // Plot geometry, grid, traces and views.
  void InitPlotArea();
  int PlotX(int position) const;
  int PlotY(int level) const;
  void DrawGrid(CDC* pDC, std::int8_t step);
  void DrawGridOnto(CDC* pDC, std::int8_t step);
  void DrawTrace(CDC* pDC, const BYTE* samples, BYTE count, COLORREF colour, BOOL dots);
  void DrawTraceTwoColour(CDC* pDC, const BYTE* samples, BYTE count, COLORREF even, COLORREF odd);
  void OnPaint();
  struct ViewedFrame {
    int sensor;
    int samples;
  };
  ViewedFrame BeginView(const char* name);
  void DrawNormalView(CDC* pDC);
  void DrawCompareView(CDC* pDC);
  void DrawAverageView(CDC* pDC);
  void OnCompare();

  // Control-bound members.
  CEdit m_editTotal;    // 1075 "Total"
  CStatic m_staticInfo; // 1082, the hidden status line
  CEdit m_editData;     // 1035, the listing
  int m_nPaintMode;     // 0 "Continue" (lines), 1 "Disperse" (dots)
  std::string m_strData;
  int m_nEnd;
  int m_nStart;
  UINT m_nSquareSum;

  // The data store. The two flags are shared with the receive worker.
  std::atomic<int> m_bFrameArrived{0};
  std::atomic<int> m_bAwaitingFrame{0};
  std::array<std::string, kSensorCount> m_strCount;
  int m_nTimeoutTicks = 0;
  // Always a sensor number 0..29: only requests and the sensor list's handler set it, and the
  // handler refuses entries that name no sensor, so every row, count and sum index is valid.
  std::uint8_t m_nCurSensor = 0;
  std::array<BYTE, 512> m_rxFrame{};
  std::array<BYTE, kRowLength> m_traceBuf{};
  std::array<FrameRow, kSensorCount> m_curFrames{};
  std::array<FrameRow, kSensorCount> m_prevFrames{};
  std::array<std::uint8_t, kSensorCount> m_frameCount{};
  std::array<std::array<std::int32_t, kRowLength>, kSensorCount> m_sums{};
  std::array<FrameRow, kSensorCount> m_avgFrames{};
  std::uint32_t m_nRxLength = 0;
  std::uint8_t m_nSweepIndex = 0;
  std::uint8_t m_bSweepMode = 0;
  std::string m_strSweepLog;

  // Display modes: 0 normal, 1 compare, 2 average.
  std::uint8_t m_nDisplayMode = 0;
  std::uint8_t m_nSavedMode = 0;

  // Plot geometry.
  RECT m_rcPlot{};
  int m_nOriginX = 0;
  int m_nOriginY = 0;
  float m_fScaleX = 0.0f;
  float m_fScaleY = 0.0f;
  RecordedDrawing m_gridDrawing;  // the grid as DrawGrid draws it, for every later paint
  std::int8_t m_gridStep = 0;

  // Port settings.
  int m_nPortIndex = 0;
  int m_nBaudRate = 0;

  HICON m_hIcon;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
