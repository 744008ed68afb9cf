#pragma once
#include <optional>
#include <span>
#include <vector>

#include "framework/Message.h"
#include "framework/Surface.h"

class TWindow;

// The keyboard focus over the spots of a picture (the map's places, a shop's items), as a dialog's
// focus goes over its buttons. The owner lists its stops anew at every key, as client rectangles:
// the spots live now, then anything else that takes the focus (a dialog's buttons). Tab and
// Shift+Tab go through them in reading order, an arrow to the nearest one that way. The mark, a
// dotted rectangle that inverts what it covers, shows only once a key has been used.
class SpotFocus {
 public:
  // What a key asked for.
  enum class Request { None, Moved, Press, Remove };
  struct Answer {
    Request request = Request::None;
    int stop = -1;  // the stop pressed or removed
  };
  // Tab, Shift+Tab and the arrows move; Enter and Space press the stop that has the focus, Delete
  // and Backspace remove it. Any other key is not the focus's (Request::None).
  Answer Key(std::span<const TRect> stops, const Message& m);
  // The stop that has the focus, -1 for none of these.
  int Focused(std::span<const TRect> stops) const;
  void FocusOn(const TRect& stop);
  // A click at p: the focus moves to the stop under it.
  void Clicked(std::span<const TRect> stops, TPoint p);
  bool MarkShown() const { return shown_; }
  // The mark around the focused stop when it is shown, the window's client origin at origin.
  void DrawMark(Surface& screen, const TRect& clip, TPoint origin) const;

 private:
  std::optional<TRect> focused_;
  bool shown_ = false;
};

// The stops in reading order: rows from the top (a stop whose top is above the middle of a row's
// first stop joins that row), each row from the left. Indices into rects.
std::vector<int> ReadingOrder(std::span<const TRect> rects);
// The stop nearest to rects[from] in the direction of an arrow key, -1 when there is none that way.
int NearestInDirection(std::span<const TRect> rects, int from, Key arrow);
// The middle of a stop: where a key stands in for a click.
TPoint Middle(const TRect& r);
// A button of the mouse pressed and released at a client point, as the pointer would.
void ClickAt(TWindow& window, TPoint clientPoint, Msg button);
// The classic focus mark: every other pixel of the rectangle's edge inverted.
void DottedInvertedRect(Surface& s, const TRect& clip, const TRect& r);
