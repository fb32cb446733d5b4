// What the main dialog should hold after the requests it made and the reads it was handed:
// the data store's rows, counts and sums, the request gate, the last read, and the sweep's log
// and file, by the rules of the data store, the intake and the request sequencing. The soak
// tells it what happened; it never looks at the program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Sensors.h"
#include "platform/Types.h"

class AcceptanceModel {
 public:
  using Row = std::array<BYTE, kRowLength>;

  static constexpr const char* kNoAnswer = "Cann't receive data, please check serial port!";
  static constexpr const char* kSweepDone = "Receive data complete!";

  // Clears the store, as start-up and "Clear" do.
  void Reset();
  // A request for sensor `s` (button, key or sweep step): the gate opens for one read.
  void Request(int s);
  // The sensor list's choice of entry `index`; entries that name no sensor are refused.
  void Choose(int index);
  // A read reaches the intake: taken for the current sensor when the gate is open. Returns
  // whether it was taken.
  bool Read(const std::vector<BYTE>& read);
  // The first tick of timer 1 after an answer that came in time.
  void Noticed() { arrived = 0; }

  void StartSweep();
  // The sweep's request for sensor `silent` went unanswered: the box the sweep ends with.
  std::string SweepTimedOut(int silent);
  // All 30 sensors answered: the box the sweep ends with.
  std::string SweepCompleted();

  std::array<std::uint8_t, kSensorCount> count{};
  std::array<Row, kSensorCount> cur{};
  std::array<Row, kSensorCount> prev{};
  std::array<std::array<std::int32_t, kRowLength>, kSensorCount> sums{};
  int gate = 0;     // m_bAwaitingFrame
  int arrived = 0;  // m_bFrameArrived
  int sensor = 0;   // m_nCurSensor
  std::array<BYTE, 512> rx{};
  std::uint32_t rxLength = 0;
  std::optional<std::string> total;  // the "Total" box, once a read has been taken
  bool sweeping = false;
  std::string sweepLog;
  std::optional<std::string> sweepFile;  // what "SensorAllData.txt" must hold, once written
  unsigned wraps = 0;                    // counts that went from 255 to 0

 private:
  void FinishSweep();
};
