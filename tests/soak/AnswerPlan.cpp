#include "soak/AnswerPlan.h"

#include "app/Sensors.h"

using Bytes = std::vector<BYTE>;
using std::chrono::milliseconds;

Answer PlanAnswer(Dice& dice, int sensor, Fault fault) {
  Answer a;
  a.reply.request = SensorChar(sensor);
  const milliseconds delay(dice.Between(0, 60));
  const std::string after = " after " + std::to_string(delay.count()) + " ms";
  switch (fault) {
    case Fault::Fast: {
      const Bytes frame = dice.Frame(254);
      a.reply.writes = {{milliseconds(dice.Between(0, 10)), frame}};
      a.taken = frame;
      a.text = "255 bytes at once";
      break;
    }
    case Fault::OnTime: {
      Bytes frame = dice.Frame(dice.Between(0, 253));
      const std::size_t length = frame.size();
      if (dice.Chance(0.3)) {
        const Bytes extra = dice.Random(static_cast<std::size_t>(dice.Between(1, 255 - static_cast<int>(length))));
        frame.insert(frame.end(), extra.begin(), extra.end());
      }
      a.reply.writes = {{delay, frame}};
      a.taken = frame;
      a.text = std::to_string(length) + " bytes and " + std::to_string(frame.size() - length) + " extra" + after;
      break;
    }
    case Fault::Overlong: {
      Bytes reply = dice.Chance(0.5) ? dice.Frame(255) : dice.Frame(dice.Between(0, 254));
      const Bytes extra = dice.Random(reply.size() > 255 ? 0 : static_cast<std::size_t>(dice.Between(256, 400)) - reply.size());
      reply.insert(reply.end(), extra.begin(), extra.end());
      a.reply.writes = {{delay, reply}};
      a.taken = Head(reply, 255);
      a.leftover = true;
      a.text = std::to_string(reply.size()) + " bytes" + after;
      break;
    }
    case Fault::Split: {
      const Bytes frame = dice.Frame(dice.Between(1, 255));
      const auto first = static_cast<std::size_t>(dice.Between(1, std::min<int>(static_cast<int>(frame.size()) - 1, 255)));
      const milliseconds gap(dice.Between(150, 300));
      a.reply.writes = {{delay, Head(frame, first)}, {delay + gap, Tail(frame, first)}};
      a.taken = Head(frame, first);
      a.leftover = true;
      a.text = std::to_string(frame.size()) + " bytes split after " + std::to_string(first) + " by " +
               std::to_string(gap.count()) + " ms" + after;
      break;
    }
    case Fault::Silent:
      a.text = "silence";
      break;
    case Fault::Late:
      a.late = dice.Chance(0.8) ? dice.Frame(dice.Between(0, 254)) : dice.Frame(255);
      a.leftover = a.late.size() > 255;
      a.text = "a late answer of " + std::to_string(a.late.size()) + " bytes";
      break;
    case Fault::HangUp:
      a.reply.hangUp = true;
      a.text = "a hang-up";
      break;
    case Fault::HangUpMidReply: {
      const Bytes frame = dice.Frame(dice.Between(1, 254));
      const auto part = static_cast<std::size_t>(dice.Between(1, std::min<int>(static_cast<int>(frame.size()), 200)));
      a.reply.writes = {{delay, Head(frame, part)}};
      a.reply.hangUp = true;
      a.text = std::to_string(part) + " of " + std::to_string(frame.size()) + " bytes, then a hang-up" + after;
      break;
    }
  }
  return a;
}
