#pragma once
#include "framework/Platform.h"

// Stands between the desktop and another platform and passes everything on; a platform that
// watches or replaces the input (the session record, a replay) overrides only WaitEvent.
class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

  std::uint64_t Now() override { return inner_.Now(); }
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override { return inner_.WaitEvent(nextDue); }
  void Present(const Surface& screen) override { inner_.Present(screen); }
  bool WantsFrames() const override { return inner_.WantsFrames(); }
  void Sleep(unsigned ms) override { inner_.Sleep(ms); }

 protected:
  Platform& inner_;
};
