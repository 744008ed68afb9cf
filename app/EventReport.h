#pragma once
#include <cstdio>

#include "framework/UiObserver.h"

// What the real-window tests read instead of guessing from screenshots when something happened:
// with TAVO2_REPORT set, the game prints to standard error, one line each, the dialogs that open
// and close, the message boxes as they open and are answered, and the caption flashes (UTF-8).
class EventReport : public UiObserver {
 public:
  explicit EventReport(std::FILE* to) : to_(to) {}
  void BoxOpened(std::string_view text, std::string_view caption, unsigned style) override;
  void BoxAnswered(std::string_view caption, int button) override;
  void DialogOpened(const TWindow& dialog) override;
  void DialogClosed(const TWindow& dialog) override;
  void CaptionFlashed(const TWindow& window) override;

 private:
  void Line(std::string_view what, std::string_view cp932);
  std::FILE* to_;
};
