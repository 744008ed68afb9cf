#pragma once
#include "app/RecordHeader.h"
#include "framework/Platform.h"
#include "platform/LiveClock.h"

// Plays a record's inputs in a real window at their milliseconds, as a demo. The player's own
// input is set aside; Esc or the window's close request ends the replay.
class ReplayPlatform : public Platform {
 public:
  ReplayPlatform(Platform& inner, LiveClock& clock, const Record& record);

  std::uint64_t Now() override { return inner_.Now(); }
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;
  void Present(const Surface& screen) override { inner_.Present(screen); }
  bool WantsFrames() const override { return inner_.WantsFrames(); }
  void Sleep(unsigned ms) override { inner_.Sleep(ms); }

 private:
  Platform& inner_;
  bool ending_ = false;  // the player asked to end it
};
