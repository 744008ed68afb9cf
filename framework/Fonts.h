#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "framework/Surface.h"

// The two faces the framework draws text with:
//  - Mono16: the device context's default font, a 16-px monospace Japanese gothic (IPAGothic):
//    8 px per half-width and 16 px per full-width character, 16 px high.
//  - Prop12: the dialog font, a 12-px proportional Japanese gothic (IPAPGothic), for labels,
//    buttons, captions, menus and message boxes.
enum class FontFace { Mono16, Prop12 };

// The font file family is drawn from: on Linux the file fontconfig resolves it to, provided that
// file's family really is family (fontconfig otherwise falls back to some other font); on Windows
// the file the program carries in the folder fonts beside it.
std::optional<std::string> FindFontFile(std::string_view family);

class Fonts {
 public:
  // Loads the fonts on first use; a missing font ends the program with a clear message.
  static Fonts& Get();

  // Draws CP932 text with its top-left corner at (x, y) on target, clipped to clip. With a
  // background colour the text's cell (its extent) is filled first (opaque mode); without one only
  // the glyphs are drawn (transparent mode). Returns the text's extent.
  TSize Draw(Surface& target, const TRect& clip, int x, int y, std::string_view cp932, FontFace face,
             TColor textColor, std::optional<TColor> background);
  TSize Measure(std::string_view cp932, FontFace face);
  int LineHeight(FontFace face);

  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  ~Fonts();

 private:
  Fonts();
  struct Impl;
  Impl* impl_;
};
