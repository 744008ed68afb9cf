#include "tools/Transcript.h"

#include <optional>

#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Frame.h"
#include "platform/InputLines.h"

namespace {
// The screen point of the middle of button id of window.
std::optional<TPoint> ButtonCentre(TWindow* window, int id) {
  auto* dialog = dynamic_cast<TDialog*>(window);
  const Control* c = dialog ? dialog->FindControl(id) : nullptr;
  if (!c) return std::nullopt;
  const TPoint o = window->ClientOrigin();
  return TPoint{o.x + (c->rect.left + c->rect.right) / 2, o.y + (c->rect.top + c->rect.bottom) / 2};
}
}  // namespace

void Transcript::Line(const std::string& line, std::uint64_t now) {
  if (now > lastMs_) out_ << "wait " << now - lastMs_ << "\n";
  lastMs_ = now;
  out_ << line << "\n" << std::flush;
}

void Transcript::KeyPress(const std::string& name, std::uint64_t now) {
  Line("keydown " + name, now);
  Line("keyup " + name.substr(name.rfind('+') + 1), now);
}

void Transcript::Click(TPoint p, std::uint64_t now) {
  const std::string at = std::to_string(p.x) + " " + std::to_string(p.y);
  Line("mouse move " + at, now);
  Line("mouse down left " + at, now);
  Line("mouse up left " + at, now);
}

bool Transcript::Input(const InputEvent& event, bool queuedUp, std::uint64_t now) {
  using K = InputEvent::Kind;
  switch (event.kind) {
    case K::MouseDown:
    case K::MouseUp:
    case K::MouseMove: {
      InputEvent screen = event;
      if (event.target) {
        const TPoint o = event.target->ClientOrigin();
        screen.point = {o.x + event.point.x, o.y + event.point.y};
        screen.target = nullptr;
        if (queuedUp) {
          Click(screen.point, now);
          return true;
        }
      }
      if (auto line = InputLine(screen)) Line(*line, now);
      return true;
    }
    case K::KeyDown:
      if (auto line = InputLine(event)) {
        Line(*line, now);
        if (!queuedUp) return true;
        InputEvent up = event;
        up.kind = K::KeyUp;
        up.alt = up.ctrl = up.shift = false;
        Line(*InputLine(up), now);
      }
      return true;
    case K::KeyUp:
    case K::Close:
      if (!event.target) {
        if (auto line = InputLine(event)) Line(*line, now);
      } else if (auto* dialog = dynamic_cast<TDialog*>(event.target); dialog && dialog->HasCloseBox()) {
        // The middle of the close box: in from the caption's right end.
        const TRect outer = dialog->ScreenOuterRect();
        const TPoint box{outer.right - metrics::kBorder - 10, outer.top + metrics::kBorder + metrics::kCaption / 2};
        if (!dialog->InCloseBox(box)) return false;
        Click(box, now);
      } else {
        KeyPress("alt+f4", now);
      }
      return true;
    case K::Command:
      if (std::optional<TPoint> at = ButtonCentre(event.target, event.id)) {
        Click(*at, now);
        return true;
      }
      // A menu command: F10 lights the first title, Right moves on, Down opens it, Down again down
      // the items (separators are passed over), Enter chooses.
      if (auto* frame = dynamic_cast<TDecoratedFrame*>(event.target); frame && frame->Menu()) {
        const auto& popups = frame->Menu()->popups;
        for (std::size_t p = 0; p < popups.size(); ++p) {
          int downs = 0;
          for (const auto& item : popups[p].items) {
            if (item.command == event.id) {
              KeyPress("f10", now);
              for (std::size_t i = 0; i < p; ++i) KeyPress("right", now);
              KeyPress("down", now);
              for (int i = 0; i < downs; ++i) KeyPress("down", now);
              KeyPress("enter", now);
              return true;
            }
            if (item.command != 0) ++downs;
          }
        }
      }
      return false;
    case K::AnswerBox:
      if (std::optional<TPoint> at = ButtonCentre(Desktop::Get().TopmostMessageBox(), event.id)) {
        Click(*at, now);
        return true;
      }
      return false;
    default:
      return true;
  }
}

