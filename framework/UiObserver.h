#pragma once
#include <string_view>

class TWindow;

// Hears what the program shows the player, as it happens (the script runner prints it).
// Texts are CP932.
class UiObserver {
 public:
  virtual ~UiObserver() = default;
  virtual void BoxOpened(std::string_view /*text*/, std::string_view /*caption*/, unsigned /*style*/) {}
  virtual void BoxAnswered(std::string_view /*caption*/, int /*button*/) {}
  virtual void DialogOpened(const TWindow& /*dialog*/) {}
  virtual void DialogClosed(const TWindow& /*dialog*/) {}
  virtual void StatusTextSet(std::string_view /*text*/) {}
  virtual void TextDrawn(const TWindow& /*window*/, int /*x*/, int /*y*/, std::string_view /*text*/) {}
  // A modal window's caption began to flash (a click or a close request beside it).
  virtual void CaptionFlashed(const TWindow& /*window*/) {}
  // The fishing trace: whether it is wanted, and one line of it.
  virtual bool Tracing() const { return false; }
  virtual void TraceLine(std::string_view /*line*/) {}
};
