#include "soak/AcceptanceModel.h"

#include <algorithm>

#include "platform/Format.h"
#include "reports/SensorBlock.h"

void AcceptanceModel::Reset() {
  rxLength = 0;
  std::fill_n(rx.begin(), kRowLength, BYTE{0});
  count.fill(0);
  gate = 0;
  for (int s = 0; s < kSensorCount; ++s) {
    cur[s].fill(0);
    prev[s].fill(0);
    sums[s].fill(0);
  }
}

void AcceptanceModel::Request(int s) {
  rxLength = 0;
  sensor = s;
  arrived = 0;
  gate = 1;
}

void AcceptanceModel::Choose(int index) {
  if (IsSensorNumber(index)) sensor = index;
}

bool AcceptanceModel::Read(const std::vector<BYTE>& read) {
  if (gate != 1 || read.empty()) return false;
  gate = 0;
  arrived = 1;
  const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(read.size(), kRowLength));
  rx.fill(0);
  std::copy_n(read.begin(), length, rx.begin());
  rxLength = length;
  total = std::to_string(rx[0]);

  const int s = sensor;
  ++count[s];
  // Positions 0..P: the read and the zero after it, as far as a row reaches.
  const std::uint32_t last = std::min<std::uint32_t>(length, kRowLength - 1);
  if (count[s] == 0) {
    ++wraps;
    std::copy_n(rx.begin(), last + 1, cur[s].begin());
  } else {
    for (std::uint32_t k = 0; k <= last; ++k) {
      prev[s][k] = cur[s][k];
      cur[s][k] = rx[k];
    }
  }
  sums[s][0] += rx[0];
  for (std::uint32_t k = 1; k <= last; ++k) sums[s][k] += rx[k] >= 0x80 ? rx[k] - 256 : rx[k];

  if (sweeping) AppendSweepBlock(sweepLog, SensorChar(s), rx.data());
  return true;
}

void AcceptanceModel::StartSweep() {
  sweepLog.clear();
  sweeping = true;
}

std::string AcceptanceModel::SweepTimedOut(int silent) {
  sweeping = false;
  if (silent == 0) return kNoAnswer;  // nothing collected, no file; the gate stays open
  gate = 0;                           // the silent sensor's request is given up
  if (sensor > 0) --sensor;
  FinishSweep();
  return kSweepDone;
}

std::string AcceptanceModel::SweepCompleted() {
  sweeping = false;
  FinishSweep();
  return kSweepDone;
}

void AcceptanceModel::FinishSweep() {
  MakeUpper(sweepLog);
  sweepFile = sweepLog;
}
