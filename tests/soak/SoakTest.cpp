// A fault soak: the real main dialog on the real clock, against a device on a pseudo-terminal
// that answers at random on time, late, split by a gap, too long, not at all or by hanging up,
// and sends bytes while idle. After a hang-up the operator maps COM1 to a new device and
// reopens the port with "Set Comm.". Operations: single requests by button and by key, bursts
// of requests, all-sensor sweeps, choices in the sensor list, "Clear" (also while a request
// waits), two requests at once, reopening the port. After every step the program's store,
// request gate, last read, count labels, message boxes and sweep file are compared with a model
// of what it should have accepted; its descriptors, threads and memory must not grow.
//
// Short form (run by ./test): VELNOR_SOAK_SECONDS, 45 by default. Long form, for example
//   VELNOR_SOAK_SECONDS=1800 build/tests/soak_tests
// Every run prints its seed (1 unless VELNOR_SOAK_SEED=N says otherwise); the seed repeats
// the run's choices.
//
// Timing: every case keeps clear of the program's time windows, so that the model is exact on
// a busy machine (the single answers: soak/AnswerPlan.h).
// - A late answer is written only after the time-out box, and at least 500 ms (1500 ms after a
//   key) after the request.
// - Bytes that the program reads and drops (the rest of a split or overlong reply, bytes while
//   idle with no request waiting) are let through before the next request: the device has
//   nothing more to write, the program has read everything, and 150 ms more pass.
// - In a sweep the next request follows an answer within some 10..40 ms, so there the device
//   holds back whatever would follow the first read and sends it in front of its next answer
//   (or after the sweep). A sweep's reads are therefore at most 255 bytes, one per request.
#include <array>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <sstream>

#include "platform/Format.h"
#include "platform/Input.h"
#include "platform/SerialPortNames.h"
#include "serial/SerialLink.h"
#include "soak/AcceptanceModel.h"
#include "soak/AnswerPlan.h"
#include "soak/Dice.h"
#include "soak/FaultyDevice.h"
#include "soak/Growth.h"
#include "soak/ProcessMeasures.h"
#include "support/MainDialogFixture.h"

using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<BYTE>;
using std::chrono::milliseconds;

constexpr const char* kNoAnswer = AcceptanceModel::kNoAnswer;

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

class SoakTest : public RealTimeDialogTest {
 protected:
  SoakTest()
      // A fixed seed by default, so that ./test repeats the same run; long runs choose their own.
      : seed_(static_cast<std::uint64_t>(EnvNumber("VELNOR_SOAK_SEED", 1))),
        seconds_(EnvNumber("VELNOR_SOAK_SECONDS", 45)),
        dice_(seed_),
        device_(std::make_unique<FaultyDevice>()) {
    SerialPortNames::Instance().Assign(1, device_->DevicePath());
    WriteFile("config.ini", "1;115200;0;250;");
  }

  void Soak(CMainDlg& dlg);

  // Operations.
  void SingleRequest(CMainDlg& dlg, int s, bool key, Fault fault, bool awaitNotice = true);
  void Burst(CMainDlg& dlg, int hot, int count, double hotShare = 0.7);
  void Sweep(CMainDlg& dlg, bool plain);
  void IdleBytes(CMainDlg& dlg);
  void TwoRequestsAtOnce(CMainDlg& dlg);
  void ClearWhileWaiting(CMainDlg& dlg);
  void Clear(CMainDlg& dlg);
  void ChooseSensor(CMainDlg& dlg);
  void Unplug();
  void RequestWithoutDevice(CMainDlg& dlg);
  void SweepWithoutDevice(CMainDlg& dlg);
  void Replug(CMainDlg& dlg);
  void SetComm(CMainDlg& dlg);

  // Steps.
  void Trigger(CMainDlg& dlg, int s, bool key);
  void FinishRequest(CMainDlg& dlg, const Answer& answer, bool key, Clock::time_point asked, bool awaitNotice = true);
  void AwaitBox(const char* what, Clock::duration limit);
  void Drain();
  void NoSpinAfterHangUp();

  // Checks.
  void Check(CMainDlg& dlg);
  void CheckSweepFile();
  void CheckResources(bool baseline);
  void CheckMemory(unsigned operation);

  enum Op { Button, Key, BurstOp, SweepOp, Idle, Choose, Two, ClearOp, ClearWaiting, Reopen, UnplugOp,
            Unplugged, Replugged, kOps };
  Op RandomOperation(CMainDlg& dlg, int hot);

  bool Await(const std::function<bool()>& done, Clock::duration limit) {
    const auto end = clock_.Now() + limit;
    for (;;) {
      if (PumpUntil(done, 5ms)) return true;
      if (clock_.Now() >= end) return false;
    }
  }
  void RunFor(Clock::duration length) { PumpUntil([] { return false; }, length); }
  void RunUntil(Clock::time_point when) {
    if (when > clock_.Now()) RunFor(std::chrono::duration_cast<Clock::duration>(when - clock_.Now()) + 1ms);
  }
  void Note(std::string text) {
    history_.push_back(std::move(text));
    if (history_.size() > 12) history_.pop_front();
  }

  const std::uint64_t seed_;
  const long seconds_;
  Dice dice_;
  std::unique_ptr<FaultyDevice> device_;
  AcceptanceModel model_;
  std::vector<std::string> expectedBoxes_;
  std::string expectedRequests_;
  std::deque<std::string> history_;

  std::size_t fds_ = 0, threads_ = 0;
  Growth heap_, resident_;
  std::array<std::pair<unsigned, double>, kOps> spent_{};  // count and seconds by operation
  bool arrivedKnown_ = true;

  struct Tally {
    unsigned checks = 0, requests = 0, taken = 0, timeouts = 0, sweeps = 0, replugs = 0;
  } tally_;
};

void SoakTest::Trigger(CMainDlg& dlg, int s, bool key) {
  if (!key) {
    ClickButton(dlg, SensorButtonId(s));
  } else if (s < 10) {
    PressAndReleaseKey(dlg, static_cast<UINT>(dice_.Chance(0.5) ? 48 + s : 96 + s));
  } else {
    PressAndReleaseKey(dlg, static_cast<UINT>(65 + s - 10));
  }
  ++tally_.requests;
}

void SoakTest::AwaitBox(const char* what, Clock::duration limit) {
  const std::size_t before = expectedBoxes_.size();
  expectedBoxes_.push_back(what);
  if (!Await([&] { return host_.boxes.size() > before; }, limit))
    ADD_FAILURE() << "no message box within " << std::chrono::duration_cast<milliseconds>(limit).count()
                  << " ms; expected \"" << what << "\"";
}

// Lets through the bytes that the program reads and drops, before anything opens the gate again.
void SoakTest::Drain() {
  if (device_->Unplugged()) return;
  if (!Await([&] { return device_->Quiet(); }, 5s)) ADD_FAILURE() << "the device's planned writes never ended";
  if (!Await([&] { return device_->Unread() == 0 && clock_.Now() >= device_->LastWrite() + 20ms; }, 5s))
    ADD_FAILURE() << "the program left " << device_->Unread() << " bytes unread";
  RunFor(150ms);
}

void SoakTest::FinishRequest(CMainDlg& dlg, const Answer& answer, bool key, Clock::time_point asked,
                             bool awaitNotice) {
  Settle();  // the request runs: the gate opens
  if (answer.taken) {
    // The request ends when timer 1 notices the answer; without waiting for that, the next
    // request may follow as soon as the intake has stored the frame.
    const bool ended = Await([&] { return (dlg.m_bAwaitingFrame == 0 && (!awaitNotice || dlg.m_bFrameArrived == 0)) ||
                                          !host_.boxes.empty(); }, 5s);
    if (!ended || !host_.boxes.empty()) {
      // What tells a stalled machine from a lost answer: when the device wrote, whether the
      // program read it, and whether the frame is taken later after all.
      const auto since = [&](Clock::time_point t) { return std::chrono::duration_cast<milliseconds>(t - asked).count(); };
      std::ostringstream why;
      why << "an answer in time did not end its request: " << (ended ? "a box" : "nothing") << " after "
          << since(clock_.Now()) << " ms; the device wrote last at " << since(device_->LastWrite()) << " ms and has "
          << device_->Unread() << " bytes unread; gate " << dlg.m_bAwaitingFrame << ", arrived " << dlg.m_bFrameArrived
          << ", " << Threads() << " threads (" << threads_ << " at the start); ";
      if (Await([&] { return dlg.m_bAwaitingFrame == 0; }, 2s))
        why << "the frame was taken " << since(clock_.Now()) << " ms after the request";
      else
        why << "the frame was not taken within " << since(clock_.Now()) << " ms";
      ADD_FAILURE() << why.str();
    }
    model_.Read(*answer.taken);
    if (awaitNotice)
      model_.Noticed();
    else
      arrivedKnown_ = false;  // timer 1 may or may not have ticked since
    ++tally_.taken;
  } else {
    AwaitBox(kNoAnswer, key ? 6s : 3s);
    ++tally_.timeouts;
    if (!answer.late.empty()) {
      RunUntil(asked + (key ? 1500ms : 500ms));
      device_->Send(answer.late);
      // Outside a sweep the gate stays open after a time-out: the late answer is taken.
      if (model_.Read(answer.late)) {
        ++tally_.taken;
        if (!Await([&] { return dlg.m_bAwaitingFrame == 0; }, 3s)) ADD_FAILURE() << "a late answer was not taken";
      }
    }
  }
  if (answer.leftover) Drain();
  if (answer.reply.hangUp) NoSpinAfterHangUp();
}

void SoakTest::SingleRequest(CMainDlg& dlg, int s, bool key, Fault fault, bool awaitNotice) {
  const Answer answer = PlanAnswer(dice_, s, fault);
  Note(std::string(key ? "key" : "button") + " for sensor " + SensorChar(s) + ": " + answer.text);
  device_->Expect({answer.reply});
  const auto asked = clock_.Now();
  Trigger(dlg, s, key);
  model_.Request(s);
  expectedRequests_ += SensorChar(s);
  FinishRequest(dlg, answer, key, asked, awaitNotice);
}

// Requests in quick succession, each made as soon as the previous frame is stored; most of them
// for one sensor, so that its count wraps now and then.
void SoakTest::Burst(CMainDlg& dlg, int hot, int count, double hotShare) {
  for (int i = 0; i < count && !HasFailure(); ++i) {
    const int s = dice_.Chance(hotShare) ? hot : dice_.Between(0, kSensorCount - 1);
    SingleRequest(dlg, s, dice_.Chance(0.3), Fault::Fast, i + 1 == count);
    Check(dlg);
  }
}

void SoakTest::Sweep(CMainDlg& dlg, bool plain) {
  const int silent = plain || dice_.Chance(0.45) ? kSensorCount : dice_.Between(0, kSensorCount - 1);
  const Fault end = silent == kSensorCount ? Fault::OnTime
                                           : dice_.Pick<Fault>({{Fault::Silent, 4}, {Fault::Late, 4}, {Fault::HangUp, 2}});
  std::vector<FaultyDevice::Reply> replies;
  std::vector<Bytes> reads;
  Bytes held;  // what would follow a read, sent in front of the next answer
  std::string text = "sweep:";
  for (int s = 0; s < silent; ++s) {
    const Fault fault = plain ? Fault::Fast
                              : dice_.Pick<Fault>({{Fault::Fast, 3}, {Fault::OnTime, 5}, {Fault::Overlong, 1}, {Fault::Split, 1}});
    const Answer answer = PlanAnswer(dice_, s, fault);
    Bytes stream = held;
    stream.insert(stream.end(), answer.reply.writes[0].bytes.begin(), answer.reply.writes[0].bytes.end());
    const Bytes read = Head(stream, 255);
    held = Tail(stream, read.size());
    if (answer.reply.writes.size() > 1) held.insert(held.end(), answer.reply.writes[1].bytes.begin(), answer.reply.writes[1].bytes.end());
    replies.push_back({answer.reply.request, {{answer.reply.writes[0].after, read}}, false});
    reads.push_back(read);
    text += " " + std::to_string(read.size());
  }
  Bytes after;
  if (silent < kSensorCount) {
    replies.push_back({SensorChar(silent), {}, end == Fault::HangUp});
    if (end != Fault::HangUp) after = held;
    if (end == Fault::Late) {
      const Bytes late = dice_.Frame(dice_.Between(0, 254));
      after.insert(after.end(), late.begin(), late.end());
    }
    text += std::string(" then ") + (end == Fault::Silent ? "silence" : end == Fault::Late ? "late" : "a hang-up") +
            " at sensor " + SensorChar(silent);
  } else {
    after = held;
  }
  if (!after.empty()) text += ", " + std::to_string(after.size()) + " bytes after it";
  Note(text);

  device_->Expect(replies);
  ++tally_.sweeps;
  ClickButton(dlg, IDC_ALL_SENSOR);
  model_.StartSweep();
  for (int s = 0; s < silent; ++s) {
    model_.Request(s);
    model_.Read(reads[static_cast<std::size_t>(s)]);
    model_.Noticed();
    expectedRequests_ += SensorChar(s);
  }
  tally_.requests += static_cast<unsigned>(std::min(silent + 1, kSensorCount));
  tally_.taken += static_cast<unsigned>(silent);
  std::string box;
  if (silent < kSensorCount) {
    model_.Request(silent);
    expectedRequests_ += SensorChar(silent);
    box = model_.SweepTimedOut(silent);
    ++tally_.timeouts;
  } else {
    box = model_.SweepCompleted();
  }
  // Boxes are recorded as they are shown; the sweep's one box must be the one expected.
  const std::size_t before = expectedBoxes_.size();
  expectedBoxes_.push_back(box);
  if (!Await([&] { return host_.boxes.size() > before; }, 40s)) ADD_FAILURE() << "the sweep never ended";

  if (!after.empty()) {
    RunFor(200ms);  // the time-out box comes 330 ms after the request at the earliest
    device_->Send(after);
    // After a time-out at sensor 0 the gate stays open and the bytes are taken for sensor 0;
    // after any later time-out, or a complete sweep, they are dropped.
    if (model_.Read(after)) {
      ++tally_.taken;
      if (!Await([&] { return dlg.m_bAwaitingFrame == 0; }, 3s)) ADD_FAILURE() << "the bytes after the sweep were not taken";
    }
    Drain();
  }
  if (end == Fault::HangUp) NoSpinAfterHangUp();
  CheckSweepFile();
}

void SoakTest::IdleBytes(CMainDlg& dlg) {
  const Bytes bytes = dice_.Random(static_cast<std::size_t>(dice_.Chance(0.1) ? dice_.Between(256, 300) : dice_.Between(1, 40)));
  Note(std::to_string(bytes.size()) + " bytes while idle, gate " + std::to_string(model_.gate));
  device_->Send(bytes);
  // Taken or not, the program reads them all; only the first read can be taken.
  if (model_.Read(bytes)) {
    ++tally_.taken;
    if (!Await([&] { return dlg.m_bAwaitingFrame == 0; }, 3s)) ADD_FAILURE() << "bytes while the gate was open were not taken";
  }
  Drain();
}

// Two requests before the program runs either: only the second one's answer counts.
void SoakTest::TwoRequestsAtOnce(CMainDlg& dlg) {
  const int first = dice_.Between(0, kSensorCount - 1);
  const int second = dice_.Between(0, kSensorCount - 1);
  const bool firstKey = dice_.Chance(0.3), secondKey = dice_.Chance(0.3);
  const Answer answer = PlanAnswer(dice_, second, dice_.Chance(0.5) ? Fault::Fast : Fault::OnTime);
  Note(std::string("two requests at once: ") + SensorChar(first) + " unanswered, " + SensorChar(second) + " " + answer.text);
  device_->Expect({{SensorChar(first), {}, false}, answer.reply});
  const auto asked = clock_.Now();
  Trigger(dlg, first, firstKey);
  Trigger(dlg, second, secondKey);
  model_.Request(first);
  model_.Request(second);
  expectedRequests_ += SensorChar(first);
  expectedRequests_ += SensorChar(second);
  FinishRequest(dlg, answer, secondKey, asked);
}

// "Clear" right after a request: the gate closes, the answer is dropped, the request times out.
void SoakTest::ClearWhileWaiting(CMainDlg& dlg) {
  const int s = dice_.Between(0, kSensorCount - 1);
  const Bytes frame = dice_.Frame(dice_.Between(0, 253));
  Note(std::string("Clear while sensor ") + SensorChar(s) + " waits");
  device_->Expect({{SensorChar(s), {{milliseconds(dice_.Between(80, 120)), frame}}, false}});
  ClickButton(dlg, SensorButtonId(s));
  ClickButton(dlg, IDC_CLEAR);
  ++tally_.requests;
  model_.Request(s);
  expectedRequests_ += SensorChar(s);
  model_.Reset();
  AwaitBox(kNoAnswer, 3s);
  ++tally_.timeouts;
  Drain();
}

void SoakTest::Clear(CMainDlg& dlg) {
  Note("Clear");
  ClickButton(dlg, IDC_CLEAR);
  Settle();
  model_.Reset();
}

void SoakTest::ChooseSensor(CMainDlg& dlg) {
  const int index = dice_.Between(0, kSensorListEntries - 1);
  Note("sensor list entry " + std::to_string(index));
  ChooseListEntry(dlg, IDC_SENSOR_LIST, index);
  Settle();
  model_.Choose(index);
}

void SoakTest::Unplug() {
  Note("unplug while idle");
  device_->Unplug();
  NoSpinAfterHangUp();
}

void SoakTest::NoSpinAfterHangUp() {
  EXPECT_TRUE(device_->Unplugged());
  RunFor(30ms);
  const auto before = ProcessCpuTime();
  RunFor(200ms);
  EXPECT_LT(ProcessCpuTime() - before, 100ms) << "the program spins after the device hung up";
}

void SoakTest::RequestWithoutDevice(CMainDlg& dlg) {
  const int s = dice_.Between(0, kSensorCount - 1);
  const bool key = dice_.Chance(0.25);
  Note(std::string(key ? "key" : "button") + " for sensor " + SensorChar(s) + " with the device unplugged");
  Trigger(dlg, s, key);
  model_.Request(s);
  AwaitBox(kNoAnswer, key ? 6s : 3s);
  ++tally_.timeouts;
}

void SoakTest::SweepWithoutDevice(CMainDlg& dlg) {
  Note("sweep with the device unplugged");
  ClickButton(dlg, IDC_ALL_SENSOR);
  ++tally_.sweeps;
  ++tally_.requests;
  model_.StartSweep();
  model_.Request(0);
  const std::string box = model_.SweepTimedOut(0);
  AwaitBox(box.c_str(), 3s);
  ++tally_.timeouts;
  CheckSweepFile();
}

// A new device on COM1, and the port reopened as the operator does it.
void SoakTest::Replug(CMainDlg& dlg) {
  Note("a new device on COM1, then Set Comm.");
  device_.reset();
  device_ = std::make_unique<FaultyDevice>();
  SerialPortNames::Instance().Assign(1, device_->DevicePath());
  SetComm(dlg);
  ++tally_.replugs;
}

void SoakTest::SetComm(CMainDlg& dlg) {
  static constexpr int kRates[] = {4800, 9600, 19200, 38400, 57600, 115200};
  const int baud = kRates[dice_.Between(0, 5)];
  host_.onDialog = [baud](CDialog& portDlg) {
    portDlg.SetDlgItemText(IDC_PORT_LIST, "COM1");
    portDlg.SetDlgItemText(IDC_BAUD_LIST, std::to_string(baud));
    portDlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  };
  ClickButton(dlg, IDC_SET_COMM);
  Settle();
  EXPECT_EQ(host_.nestedDialogs, std::vector<int>{IDD_PORT_DIALOG});
  host_.nestedDialogs.clear();
  EXPECT_EQ(dlg.GetDlgItem(IDC_COM)->GetWindowText(), "1");
  EXPECT_EQ(dlg.GetDlgItem(IDC_BAUDRATE)->GetWindowText(), std::to_string(baud));
  EXPECT_NE(g_pRxThread, nullptr);
}

template <class Table>
std::string FirstDifference(const char* name, const Table& actual, const Table& expected) {
  for (std::size_t s = 0; s < actual.size(); ++s)
    for (std::size_t k = 0; k < actual[s].size(); ++k)
      if (actual[s][k] != expected[s][k])
        return std::string(name) + "[" + std::to_string(s) + "][" + std::to_string(k) + "] is " +
               std::to_string(+actual[s][k]) + ", the model says " + std::to_string(+expected[s][k]);
  return "";
}

void SoakTest::Check(CMainDlg& dlg) {
  ++tally_.checks;
  EXPECT_EQ(device_->TakeProblems(), "");
  EXPECT_EQ(device_->DropUnusedReplies(), 0u) << "a planned request never came";
  EXPECT_EQ(device_->TakeRequests(), expectedRequests_) << "the request bytes the device received";
  expectedRequests_.clear();
  EXPECT_EQ(host_.BoxTexts(), expectedBoxes_) << "every request ends with its frame stored or with one box";
  host_.boxes.clear();
  expectedBoxes_.clear();

  std::array<std::array<std::uint8_t, 1>, kSensorCount> countActual{}, countModel{};
  for (int s = 0; s < kSensorCount; ++s) {
    countActual[s][0] = dlg.m_frameCount[s];
    countModel[s][0] = model_.count[s];
  }
  EXPECT_EQ(FirstDifference("m_frameCount", countActual, countModel), "");
  EXPECT_EQ(FirstDifference("m_curFrames", dlg.m_curFrames, model_.cur), "");
  EXPECT_EQ(FirstDifference("m_prevFrames", dlg.m_prevFrames, model_.prev), "");
  EXPECT_EQ(FirstDifference("m_sums", dlg.m_sums, model_.sums), "");
  EXPECT_EQ(dlg.m_bAwaitingFrame, model_.gate) << "m_bAwaitingFrame";
  if (arrivedKnown_) {
    EXPECT_EQ(dlg.m_bFrameArrived, model_.arrived) << "m_bFrameArrived";
  }
  arrivedKnown_ = true;
  EXPECT_EQ(dlg.m_nCurSensor, model_.sensor);
  EXPECT_EQ(static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SENSOR_LIST))->GetCurSel(), model_.sensor);
  EXPECT_EQ(dlg.m_nRxLength, model_.rxLength);
  EXPECT_TRUE(dlg.m_rxFrame == model_.rx) << "m_rxFrame differs from the last read taken";
  if (model_.total) {
    EXPECT_EQ(dlg.GetDlgItem(IDC_TOTAL)->GetWindowText(), *model_.total) << "Total";
  }
  for (int s = 0; s < kSensorCount; ++s) {
    const std::string label = Format("%2d", static_cast<int>(model_.count[s]));
    EXPECT_EQ(dlg.m_strCount[s], label) << "sensor " << s;
    EXPECT_EQ(dlg.GetDlgItem(CountLabelId(s))->GetWindowText(), label) << "count label of sensor " << s;
  }
  EXPECT_EQ(dlg.m_bSweepMode, 0);
  if (!device_->Unplugged()) CheckResources(false);
}

void SoakTest::CheckSweepFile() {
  const std::optional<std::string> file = ReadFile("SensorAllData.txt");
  if (!model_.sweepFile) {
    EXPECT_FALSE(file.has_value()) << "no sweep has collected anything yet";
    return;
  }
  ASSERT_TRUE(file.has_value()) << "SensorAllData.txt";
  if (*file == *model_.sweepFile) return;
  std::size_t at = 0;
  while (at < file->size() && at < model_.sweepFile->size() && (*file)[at] == (*model_.sweepFile)[at]) ++at;
  ADD_FAILURE() << "SensorAllData.txt holds " << file->size() << " bytes, the sweep's blocks " << model_.sweepFile->size()
                << "; they differ from byte " << at;
}

// Descriptors and threads come back to what they were with the device plugged in.
void SoakTest::CheckResources(bool baseline) {
  const std::size_t fds = OpenDescriptors(), threads = Threads();
  if (baseline) {
    fds_ = fds;
    threads_ = threads;
  }
  EXPECT_EQ(fds, fds_) << "open descriptors";
  EXPECT_EQ(threads, threads_) << "threads";
}

// Heap and resident memory do not grow after warm-up.
void SoakTest::CheckMemory(unsigned operation) {
  heap_.Sample(HeapInUse());
  resident_.Sample(ResidentBytes());
  if (!heap_.Ready() || operation % 10 != 0) return;
  EXPECT_LE(heap_.Excess(), 64u * 1024) << "the heap grows: " << heap_.Describe();
  if (!UnderSanitizer()) {
    EXPECT_LE(resident_.Excess(), 4u * 1024 * 1024) << "resident memory grows: " << resident_.Describe();
  }
}

SoakTest::Op SoakTest::RandomOperation(CMainDlg& dlg, int hot) {
  if (device_->Unplugged()) {
    const Op op = dice_.Pick<Op>({{Unplugged, 4}, {Replugged, 6}});
    if (op == Replugged)
      Replug(dlg);
    else if (dice_.Chance(0.25))
      SweepWithoutDevice(dlg);
    else
      RequestWithoutDevice(dlg);
    return op;
  }
  const Op op = dice_.Pick<Op>({{Button, 45}, {Key, 15}, {BurstOp, 16}, {SweepOp, 5}, {Idle, 8}, {Choose, 5},
                                {Two, 5}, {ClearOp, 1}, {ClearWaiting, 2}, {Reopen, 2}, {UnplugOp, 2}});
  switch (op) {
    case Button:
    case Key: {
      // A key's time-out takes 1.1 s, a button's 0.33 s: keys time out less often.
      const int t = op == Key ? 1 : 3;
      const Fault fault = dice_.Pick<Fault>({{Fault::Fast, 20}, {Fault::OnTime, 40}, {Fault::Overlong, 8},
                                             {Fault::Split, 8}, {Fault::Silent, 2 * t}, {Fault::Late, 2 * t},
                                             {Fault::HangUp, t}, {Fault::HangUpMidReply, t}});
      SingleRequest(dlg, dice_.Between(0, kSensorCount - 1), op == Key, fault);
      break;
    }
    case BurstOp:
      Note("burst");
      Burst(dlg, hot, dice_.Between(20, 150));
      break;
    case SweepOp: Sweep(dlg, false); break;
    case Idle: IdleBytes(dlg); break;
    case Choose: ChooseSensor(dlg); break;
    case Two: TwoRequestsAtOnce(dlg); break;
    case ClearOp: Clear(dlg); break;
    case ClearWaiting: ClearWhileWaiting(dlg); break;
    case Reopen:
      Note("Set Comm. on the same device");
      SetComm(dlg);
      break;
    default: Unplug(); break;
  }
  return op;
}

void SoakTest::Soak(CMainDlg& dlg) {
  std::cout << "soak seed " << seed_ << " (VELNOR_SOAK_SEED=" << seed_ << " repeats this run), " << seconds_ << " s"
            << std::endl;
  RecordProperty("seed", std::to_string(seed_));
  SCOPED_TRACE(testing::Message() << "seed " << seed_);
  ASSERT_NE(g_pRxThread, nullptr) << "start-up opens COM1";
  ASSERT_TRUE(host_.boxes.empty()) << host_.BoxTexts()[0];
  CheckResources(true);
  const auto start = clock_.Now();
  const auto end = start + std::chrono::seconds(seconds_);
  const int hot = dice_.Between(0, kSensorCount - 1);

  // Warm-up, which also makes one sensor's count wrap: a burst past 256 frames, then a sweep.
  Note("warm-up burst");
  const int warmUpBurst = 256 + dice_.Between(1, 100);
  Burst(dlg, hot, warmUpBurst, 1.0);
  if (!HasFailure()) Sweep(dlg, true);
  if (!HasFailure()) Check(dlg);

  unsigned operations = 0;
  while (!HasFailure() && clock_.Now() < end) {
    ++operations;
    SCOPED_TRACE(testing::Message() << "operation " << operations);
    const auto began = clock_.Now();
    const Op op = RandomOperation(dlg, hot);
    Check(dlg);
    CheckMemory(operations);
    spent_[op].first += 1;
    spent_[op].second += std::chrono::duration<double>(clock_.Now() - began).count();
    if (HasFailure()) {
      std::cout << "the last operations, oldest first (seed " << seed_ << "):\n";
      for (const std::string& text : history_) std::cout << "  " << text << "\n";
    }
  }
  if (!HasFailure() && device_->Unplugged()) Replug(dlg);
  if (!HasFailure()) Check(dlg);
  CheckSweepFile();
  EXPECT_GE(model_.wraps, 1u) << "the warm-up makes one count wrap";
  if (!HasFailure()) {
    EXPECT_TRUE(heap_.Ready()) << "too few operations to judge memory: " << operations;
  }

  std::cout << "soak: " << tally_.checks << " checked steps (" << operations << " operations after a warm-up of "
            << warmUpBurst << " requests and a sweep) in "
            << std::chrono::duration<double>(clock_.Now() - start).count() << " s: " << tally_.requests << " requests, "
            << tally_.taken << " reads taken, " << tally_.timeouts << " time-outs, " << tally_.sweeps << " sweeps, "
            << tally_.replugs << " new devices, " << model_.wraps << " count wraps\nsoak: heap " << heap_.Describe()
            << "; resident " << resident_.Describe() << "\nsoak: time by operation:";
  static constexpr const char* kOpNames[kOps] = {
      "button", "key", "burst", "sweep", "idle bytes", "list choice", "two at once", "Clear", "Clear while waiting",
      "Set Comm.", "unplug", "request or sweep unplugged", "new device"};
  for (int op = 0; op < kOps; ++op)
    if (spent_[op].first) std::cout << " " << kOpNames[op] << " " << spent_[op].first << "x " << spent_[op].second << " s;";
  std::cout << std::endl;
}

TEST_F(SoakTest, TheProgramKeepsExactlyWhatItShouldAcceptUnderRandomFaults) {
  Run([&](CMainDlg& dlg) { Soak(dlg); });
}

}  // namespace
