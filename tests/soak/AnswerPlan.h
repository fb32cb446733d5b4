// What the device does with one request, and what the program should take of it.
//
// Every case keeps clear of the program's time windows, so that what is taken is certain on a
// busy machine: an answer in time is written at most 60 ms after the request byte (its read
// ends 50 ms later; the time-out cannot fall before 330 ms, 1100 ms after a key); a gap that
// splits a reply lasts 150..300 ms; a late answer is written by the soak only after the
// time-out box. A hang-up after part of a reply comes as soon as the program has read that part,
// well inside the 50 ms after which its read would end, so that it hangs up on a read it is
// still gathering.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "soak/Dice.h"
#include "soak/FaultyDevice.h"

enum class Fault {
  Fast,            // a 255-byte reply (N = 254) at once: the read ends without waiting for a gap
  OnTime,          // a reply of N + 1 bytes, sometimes with extra bytes after it, in one read
  Overlong,        // more than 255 bytes (N = 255, or extra bytes): the first 255 are the read
  Split,           // a gap inside the reply: its first part is the read
  Silent,          // no answer
  Late,            // the answer comes after the time-out
  HangUp,          // the device side closes instead of answering
  HangUpMidReply,  // part of the reply, then the device side closes
};

struct Answer {
  FaultyDevice::Reply reply;
  std::optional<std::vector<BYTE>> taken;  // the read that the intake takes in time
  std::vector<BYTE> late;                  // for the soak to write once the request has timed out
  bool leftover = false;                   // the program reads bytes that it must drop
  std::string text;                        // for the trace of a failure
};

Answer PlanAnswer(Dice& dice, int sensor, Fault fault);

inline std::vector<BYTE> Head(const std::vector<BYTE>& bytes, std::size_t count) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes.size()))};
}

inline std::vector<BYTE> Tail(const std::vector<BYTE>& bytes, std::size_t from) {
  return from >= bytes.size() ? std::vector<BYTE>{}
                              : std::vector<BYTE>(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}
