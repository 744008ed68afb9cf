#pragma once
#include "app/RecordHeader.h"
#include "platform/ForwardingPlatform.h"
#include "platform/LiveClock.h"

// Plays a record's inputs in a real window at their milliseconds, as a demo. The player's own
// input is set aside; Esc or the window's close request ends the replay.
class ReplayPlatform : public ForwardingPlatform {
 public:
  ReplayPlatform(Platform& inner, LiveClock& clock, const Record& record);

  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;

 private:
  bool ending_ = false;  // the player asked to end it
};
