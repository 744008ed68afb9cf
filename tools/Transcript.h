#pragma once
#include <cstdint>
#include <ostream>
#include <string>

#include "app/RecordHeader.h"
#include "framework/Geometry.h"
#include "framework/Platform.h"

// A script's input written as a real window would deliver it, as a record: clicks and buttons as
// the pointer's moves and buttons at screen points, answers as clicks on the box's button, a close
// box clicked, menu commands by the keyboard. The runner replays it alike, and a real window can be
// given it (the smoke test plays the playthrough's first day so).
class Transcript {
 public:
  explicit Transcript(std::ostream& out) : out_(out) {}
  void Head(const StartSave& save) { out_ << RecordHeaderText(save) << std::flush; }
  // An input the runner is about to give at its millisecond now, with the button-up or key-up it
  // queues after it; false for one that has no real window's form.
  bool Input(const InputEvent& event, bool queuedUp, std::uint64_t now);

 private:
  void Line(const std::string& line, std::uint64_t now);
  void KeyPress(const std::string& name, std::uint64_t now);
  void Click(TPoint screenPoint, std::uint64_t now);

  std::ostream& out_;
  std::uint64_t lastMs_ = 0;
};
