#include "app/EventReport.h"

#include <string>

#include "framework/Encoding.h"
#include "framework/Window.h"

void EventReport::Line(std::string_view what, std::string_view cp932) {
  const std::string text = std::string(what) + " " + Cp932ToUtf8(cp932) + "\n";
  std::fwrite(text.data(), 1, text.size(), to_);
  std::fflush(to_);
}

void EventReport::BoxOpened(std::string_view, std::string_view caption, unsigned) { Line("box", caption); }
void EventReport::BoxAnswered(std::string_view caption, int) { Line("answered", caption); }
void EventReport::DialogOpened(const TWindow& dialog) { Line("open", dialog.Title()); }
void EventReport::DialogClosed(const TWindow& dialog) { Line("closed", dialog.Title()); }
void EventReport::CaptionFlashed(const TWindow& window) { Line("flash", window.Title()); }
