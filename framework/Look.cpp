#include "framework/Look.h"

#include <cctype>
#include <string>

#include "framework/Fonts.h"

namespace look {

void HLine(Surface& s, const TRect& clip, int x0, int x1, int y, TColor c) {
  s.Fill(TRect{x0, y, x1, y + 1}.Intersect(clip), c);
}

void VLine(Surface& s, const TRect& clip, int x, int y0, int y1, TColor c) {
  s.Fill(TRect{x, y0, x + 1, y1}.Intersect(clip), c);
}

void RaisedEdge(Surface& s, const TRect& clip, const TRect& r, bool pressed) {
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  if (pressed) {
    HLine(s, clip, l, rr + 1, t, kDarkShadow);
    VLine(s, clip, l, t, b + 1, kDarkShadow);
    HLine(s, clip, l + 1, rr, t + 1, kShadow);
    VLine(s, clip, l + 1, t + 1, b, kShadow);
    HLine(s, clip, l, rr + 1, b, kHighlight);
    VLine(s, clip, rr, t, b + 1, kHighlight);
    return;
  }
  HLine(s, clip, l, rr, t, kHighlight);
  VLine(s, clip, l, t, b, kHighlight);
  HLine(s, clip, l, rr + 1, b, kDarkShadow);
  VLine(s, clip, rr, t, b + 1, kDarkShadow);
  HLine(s, clip, l + 1, rr, b - 1, kShadow);
  VLine(s, clip, rr - 1, t + 1, b, kShadow);
}

void SunkenEdge(Surface& s, const TRect& clip, const TRect& r) {
  HLine(s, clip, r.left, r.right, r.top, kShadow);
  VLine(s, clip, r.left, r.top, r.bottom, kShadow);
  HLine(s, clip, r.left, r.right, r.bottom - 1, kHighlight);
  VLine(s, clip, r.right - 1, r.top, r.bottom, kHighlight);
}

void EtchedRect(Surface& s, const TRect& clip, const TRect& r) {
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  HLine(s, clip, l, rr, t, kShadow);
  VLine(s, clip, l, t, b, kShadow);
  HLine(s, clip, l + 1, rr, t + 1, kHighlight);
  VLine(s, clip, l + 1, t + 1, b - 1, kHighlight);
  HLine(s, clip, l, rr, b - 1, kShadow);
  VLine(s, clip, rr - 1, t, b, kShadow);
  HLine(s, clip, l, rr + 1, b, kHighlight);
  VLine(s, clip, rr, t, b + 1, kHighlight);
}

namespace {
// Splits "&X" mnemonics out of a label: the text to draw and the byte index of the underlined char.
std::string StripMnemonic(std::string_view text, int& underline) {
  std::string out;
  underline = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (lead && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
      continue;
    }
    if (c == '&' && i + 1 < text.size()) {
      if (text[i + 1] != '&') underline = static_cast<int>(out.size());
      ++i;
    }
    out += text[i];
  }
  return out;
}
}  // namespace

char Mnemonic(std::string_view cp932) {
  int underline = 0;
  const std::string text = StripMnemonic(cp932, underline);
  if (underline < 0) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(text[static_cast<std::size_t>(underline)])));
}

int MnemonicTextWidth(std::string_view cp932) {
  int underline = 0;
  return Fonts::Get().Measure(StripMnemonic(cp932, underline), FontFace::Prop12).cx;
}

int MnemonicText(Surface& s, const TRect& clip, int x, int y, std::string_view cp932, TColor colour) {
  int underline = 0;
  std::string text = StripMnemonic(cp932, underline);
  Fonts& fonts = Fonts::Get();
  TSize size = fonts.Draw(s, clip, x, y, text, FontFace::Prop12, colour, std::nullopt);
  if (underline >= 0) {
    int ux = x + fonts.Measure(std::string_view(text).substr(0, underline), FontFace::Prop12).cx;
    int uw = fonts.Measure(std::string_view(text).substr(underline, 1), FontFace::Prop12).cx;
    HLine(s, clip, ux, ux + uw, y + fonts.LineHeight(FontFace::Prop12), colour);
  }
  return size.cx;
}

void CentredText(Surface& s, const TRect& clip, const TRect& r, std::string_view cp932, TColor colour) {
  int w = MnemonicTextWidth(cp932);
  int h = Fonts::Get().LineHeight(FontFace::Prop12);
  MnemonicText(s, clip.Intersect(r), r.left + (r.Width() - w) / 2, r.top + (r.Height() - h) / 2, cp932, colour);
}

TRect CloseBoxRect(const TRect& bar) { return {bar.right - 18, bar.top + 2, bar.right - 2, bar.bottom - 2}; }

void CaptionBar(Surface& s, const TRect& r, std::string_view caption, bool active, bool closeBox, bool closeEnabled) {
  s.Fill(r, active ? kActiveCaption : kInactiveCaption);
  TRect textClip = r;
  if (closeBox) textClip.right -= 20;
  Fonts::Get().Draw(s, textClip, r.left + 4, r.top + (r.Height() - Fonts::Get().LineHeight(FontFace::Prop12)) / 2,
                    caption, FontFace::Prop12, active ? kWhite : kInactiveCaptionText, std::nullopt);
  if (!closeBox) return;
  TRect box = CloseBoxRect(r);
  s.Fill(box, kFace);
  RaisedEdge(s, box, box, false);
  TColor cross = closeEnabled ? kBlack : kGreyText;
  int cx = box.left + 4, cy = box.top + 3, n = box.Height() - 7;
  for (int i = 0; i <= n; ++i) {
    s.SetPixel(cx + i, cy + i, cross);
    s.SetPixel(cx + i + 1, cy + i, cross);
    s.SetPixel(cx + n - i, cy + i, cross);
    s.SetPixel(cx + n - i + 1, cy + i, cross);
  }
}

void QuestionIcon(Surface& s, const TRect& clip, int x, int y) {
  // A white speech bubble with a blue question mark, drawn rather than loaded: it is the desktop's.
  const TColor blue = Rgb(0, 0, 255);
  for (int dy = 0; dy < 26; ++dy)
    for (int dx = 0; dx < 32; ++dx) {
      int ex = dx - 15, ey = dy - 12;
      int d = ex * ex * 144 + ey * ey * 225;
      if (d <= 144 * 225 && clip.Contains({x + dx, y + dy})) s.SetPixel(x + dx, y + dy, d >= 120 * 200 ? kBlack : kWhite);
    }
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j <= i; ++j)
      if (clip.Contains({x + 8 + j, y + 22 + i})) s.SetPixel(x + 8 + j, y + 22 + i, kBlack);
  Fonts::Get().Draw(s, clip, x + 12, y + 5, "?", FontFace::Mono16, blue, std::nullopt);
  Fonts::Get().Draw(s, clip, x + 13, y + 5, "?", FontFace::Mono16, blue, std::nullopt);
}

}  // namespace look
