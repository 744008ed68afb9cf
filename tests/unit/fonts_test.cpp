#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "framework/Fonts.h"

namespace {

constexpr TColor kPaper = Rgb(1, 2, 3);  // a colour neither the text nor the background uses
constexpr TColor kInk = Rgb(200, 10, 10);
constexpr TColor kBack = Rgb(10, 200, 10);

Fonts& F() { return Fonts::Get(); }

// Every pixel of s with colour c.
std::set<std::pair<int, int>> PixelsOf(const Surface& s, TColor c) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      if (s.Pixel(x, y) == c) out.insert({x, y});
    }
  }
  return out;
}

TEST(Fonts, CellHeights) {
  EXPECT_EQ(F().LineHeight(FontFace::Mono16), 16);
  EXPECT_EQ(F().LineHeight(FontFace::Prop12), 12);
}

TEST(Fonts, HalfWidthCharactersAreEightPixelsWide) {
  std::string ascii;
  for (char c = ' '; c <= '~'; ++c) ascii += c;
  EXPECT_EQ(F().Measure(ascii, FontFace::Mono16), (TSize{8 * 95, 16}));
  EXPECT_EQ(F().Measure("ﾄｰﾀﾙ ｱｲｳｴｵﾞﾟ", FontFace::Mono16), (TSize{8 * 12, 16}));
  EXPECT_EQ(F().Measure("W", FontFace::Mono16), (TSize{8, 16}));
}

TEST(Fonts, FullWidthCharactersAreSixteenPixelsWide) {
  EXPECT_EQ(F().Measure("ブルーギル", FontFace::Mono16), (TSize{16 * 5, 16}));
  EXPECT_EQ(F().Measure("￥１０，０００～", FontFace::Mono16), (TSize{16 * 8, 16}));
  EXPECT_EQ(F().Measure("釣果・大物　①■", FontFace::Mono16), (TSize{16 * 8, 16}));
}

TEST(Fonts, MixedWidthsAddUp) {
  EXPECT_EQ(F().Measure("ﾄｰﾀﾙのひき数", FontFace::Mono16), (TSize{4 * 8 + 4 * 16, 16}));
  EXPECT_EQ(F().Measure("", FontFace::Mono16), (TSize{0, 16}));
}

TEST(Fonts, DialogFontIsProportional) {
  const TSize narrow = F().Measure("iiii", FontFace::Prop12);
  const TSize wide = F().Measure("WWWW", FontFace::Prop12);
  EXPECT_EQ(narrow.cy, 12);
  EXPECT_GT(narrow.cx, 0);
  EXPECT_LT(narrow.cx * 2, wide.cx);
  // 12-px glyphs: a kana is about 12 px wide, never the 16 of the screen font.
  const int kana = F().Measure("あ", FontFace::Prop12).cx;
  EXPECT_GE(kana, 9);
  EXPECT_LE(kana, 12);
}

TEST(Fonts, MeasureEqualsWhatDrawReturns) {
  Surface s(200, 40, kPaper);
  for (FontFace face : {FontFace::Mono16, FontFace::Prop12}) {
    const std::string_view text = "OK キャンセル(&C)";
    EXPECT_EQ(F().Draw(s, s.Bounds(), 3, 4, text, face, kInk, kBack), F().Measure(text, face));
  }
}

TEST(Fonts, OpaqueModeFillsExactlyTheExtent) {
  for (FontFace face : {FontFace::Mono16, FontFace::Prop12}) {
    Surface s(160, 40, kPaper);
    const TSize size = F().Draw(s, s.Bounds(), 5, 7, "Agj漢ｱ", face, kInk, kBack);
    const TRect extent = TRect::FromSize(5, 7, size.cx, size.cy);
    int ink = 0;
    int back = 0;
    for (int y = 0; y < s.Height(); ++y) {
      for (int x = 0; x < s.Width(); ++x) {
        const TColor c = s.Pixel(x, y);
        if (extent.Contains({x, y})) {
          // Two colours only: the glyphs are not antialiased.
          ASSERT_TRUE(c == kInk || c == kBack) << x << "," << y;
          (c == kInk ? ink : back) += 1;
        } else {
          ASSERT_EQ(c, kPaper) << x << "," << y;
        }
      }
    }
    EXPECT_GT(ink, 20);
    EXPECT_GT(back, ink);
  }
}

TEST(Fonts, TransparentModeOnlyDrawsTheGlyphs) {
  for (FontFace face : {FontFace::Mono16, FontFace::Prop12}) {
    Surface opaque(160, 40, kPaper);
    Surface clear(160, 40, kPaper);
    F().Draw(opaque, opaque.Bounds(), 5, 7, "Agj漢ｱ", face, kInk, kBack);
    F().Draw(clear, clear.Bounds(), 5, 7, "Agj漢ｱ", face, kInk, std::nullopt);
    // The same glyph pixels either way, and every other pixel left as it was.
    EXPECT_EQ(PixelsOf(clear, kInk), PixelsOf(opaque, kInk));
    EXPECT_EQ(PixelsOf(clear, kInk).size() + PixelsOf(clear, kPaper).size(), 160u * 40u);
    EXPECT_FALSE(PixelsOf(clear, kInk).empty());
  }
}

TEST(Fonts, DescendersAndTallGlyphsStayInsideTheCell) {
  // With the baseline too low the tails of g, j, p, q, y would be cut off; too high, the tops of
  // kanji. Each must leave ink on the cell's last and first rows respectively.
  struct Case {
    FontFace face;
    std::string_view text;
    int row;
  };
  const Case cases[] = {
      {FontFace::Mono16, "gjpqy", 15},
      {FontFace::Mono16, "｜〔", 0},
      {FontFace::Prop12, "gjpqy", 11},
  };
  for (const Case& c : cases) {
    Surface s(120, 20, kPaper);
    F().Draw(s, s.Bounds(), 0, 0, c.text, c.face, kInk, std::nullopt);
    bool inked = false;
    for (int x = 0; x < s.Width(); ++x) inked = inked || s.Pixel(x, c.row) == kInk;
    EXPECT_TRUE(inked) << c.text << " row " << c.row;
  }
}

TEST(Fonts, ClippingNeverWritesOutsideTheClip) {
  Surface full(120, 40, kPaper);
  F().Draw(full, full.Bounds(), 10, 10, "ABC漢字あい", FontFace::Mono16, kInk, kBack);
  const TRect clips[] = {{20, 12, 50, 20}, {0, 0, 15, 40}, {100, 0, 120, 40}, {30, 25, 60, 40}, {40, 14, 40, 30}};
  for (const TRect& clip : clips) {
    for (bool opaque : {true, false}) {
      Surface s(120, 40, kPaper);
      Surface reference(120, 40, kPaper);
      F().Draw(reference, reference.Bounds(), 10, 10, "ABC漢字あい", FontFace::Mono16, kInk,
               opaque ? std::optional<TColor>(kBack) : std::nullopt);
      F().Draw(s, clip, 10, 10, "ABC漢字あい", FontFace::Mono16, kInk,
               opaque ? std::optional<TColor>(kBack) : std::nullopt);
      for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
          // Inside the clip: exactly the unclipped picture; outside: untouched.
          const TColor expected = clip.Contains({x, y}) ? reference.Pixel(x, y) : kPaper;
          ASSERT_EQ(s.Pixel(x, y), expected) << x << "," << y << " opaque=" << opaque;
        }
      }
    }
  }
}

TEST(Fonts, TextHangingOffTheTargetIsClipped) {
  Surface s(30, 10, kPaper);
  Surface big(70, 50, kPaper);
  F().Draw(s, TRect{-100, -100, 100, 100}, -9, -5, "ぶんぶん", FontFace::Mono16, kInk, kBack);
  F().Draw(big, big.Bounds(), 20, 20, "ぶんぶん", FontFace::Mono16, kInk, kBack);
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) ASSERT_EQ(s.Pixel(x, y), big.Pixel(x + 29, y + 25));
  }
}

TEST(Fonts, DrawingIsRepeatable) {
  // The first drawing renders the glyphs, the second comes from the cache.
  Surface a(200, 20, kPaper);
  Surface b(200, 20, kPaper);
  F().Draw(a, a.Bounds(), 0, 0, "鮎やまめ岩魚 123", FontFace::Prop12, kInk, kBack);
  F().Draw(b, b.Bounds(), 0, 0, "鮎やまめ岩魚 123", FontFace::Prop12, kInk, kBack);
  EXPECT_EQ(a, b);
}

TEST(Fonts, BrokenBytesDoNotSwallowTheRest) {
  // A lone lead byte before "AB": the letters are still measured and drawn.
  const int ab = F().Measure("AB", FontFace::Mono16).cx;
  EXPECT_GT(F().Measure("\x82" "AB", FontFace::Mono16).cx, ab);
}

TEST(Fonts, FontconfigOnlyAcceptsTheFamilyAskedFor) {
  const auto gothic = FindFontFile("IPAGothic");
  ASSERT_TRUE(gothic.has_value());
  EXPECT_TRUE(std::filesystem::exists(*gothic));
  const auto proportional = FindFontFile("IPAPGothic");
  ASSERT_TRUE(proportional.has_value());
  EXPECT_NE(std::filesystem::canonical(*gothic), std::filesystem::canonical(*proportional));
  // fontconfig substitutes some other font for an unknown family; that must not count.
  EXPECT_EQ(FindFontFile("NoSuchFamily7f3a"), std::nullopt);
}

}  // namespace
