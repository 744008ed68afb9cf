#include "app/Replay.h"

#include "framework/Desktop.h"

ReplayPlatform::ReplayPlatform(Platform& inner, LiveClock& clock, const Record& record) : ForwardingPlatform(inner) {
  for (const Record::Input& input : record.inputs) clock.HoldAt(input.event, input.ms);
  // The player's Esc and close request pass, marked, to end the replay; the rest of their input goes.
  clock.SetFilter([this](const InputEvent& e) {
    const bool ends =
        e.kind == InputEvent::Kind::Close || (e.kind == InputEvent::Kind::KeyDown && e.key == Key::Escape);
    ending_ = ending_ || ends;
    return ends;
  });
}

InputEvent ReplayPlatform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  InputEvent event = inner_.WaitEvent(nextDue);
  if (ending_) {
    Desktop::Get().Quit();
    event = InputEvent{};
    event.kind = InputEvent::Kind::Redraw;
  }
  return event;
}
