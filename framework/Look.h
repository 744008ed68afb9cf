#pragma once
#include <string_view>

#include "framework/Surface.h"

// The classic desktop look: grey faces, 3-D edges, caption bars.
namespace look {
constexpr TColor kFace = kFaceGrey;
constexpr TColor kHighlight = kWhite;
constexpr TColor kShadow = kShadowGrey;
constexpr TColor kDarkShadow = kBlack;
constexpr TColor kActiveCaption = Rgb(0, 0, 128);
constexpr TColor kInactiveCaption = Rgb(128, 128, 128);
constexpr TColor kInactiveCaptionText = Rgb(192, 192, 192);
constexpr TColor kGreyText = Rgb(128, 128, 128);

void HLine(Surface& s, const TRect& clip, int x0, int x1, int y, TColor c);
void VLine(Surface& s, const TRect& clip, int x, int y0, int y1, TColor c);
// A raised (or, pressed, sunken) 3-D edge two pixels wide around r.
void RaisedEdge(Surface& s, const TRect& clip, const TRect& r, bool pressed);
// A one-pixel sunken edge (status bar fields).
void SunkenEdge(Surface& s, const TRect& clip, const TRect& r);
void EtchedRect(Surface& s, const TRect& clip, const TRect& r);
// Button-face text with & mnemonics underlined, centred in r.
void CentredText(Surface& s, const TRect& clip, const TRect& r, std::string_view cp932, TColor colour);
// Text with & mnemonics underlined at (x, y); returns its width.
int MnemonicText(Surface& s, const TRect& clip, int x, int y, std::string_view cp932, TColor colour);
int MnemonicTextWidth(std::string_view cp932);
// The lower-case letter marked with & in a label, or 0 when it has none.
char Mnemonic(std::string_view cp932);
// A caption bar across r with the caption text and, when wanted, a close box at its right end.
void CaptionBar(Surface& s, const TRect& r, std::string_view caption, bool active, bool closeBox, bool closeEnabled);
TRect CloseBoxRect(const TRect& captionBar);
void QuestionIcon(Surface& s, const TRect& clip, int x, int y);
}  // namespace look
