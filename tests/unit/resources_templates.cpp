#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "framework/Resources.h"
#include "tests/unit/DesktopFixture.h"

namespace {

// Shift-JIS structure: single bytes are ASCII or half-width katakana, every lead byte has a trail.
bool IsCp932(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
    if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) || ++i == s.size()) return false;
    const auto t = static_cast<unsigned char>(s[i]);
    if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
  }
  return true;
}

const ControlTemplate& Find(const DialogTemplate& d, int id) {
  for (const auto& c : d.controls)
    if (c.id == id) return c;
  ADD_FAILURE() << "no control " << id << " in template " << d.id;
  return d.controls.front();
}

std::vector<std::string> Labels(const DialogTemplate& d) {
  std::vector<std::string> texts;
  for (const auto& c : d.controls)
    if (c.kind == ControlKind::Label) texts.push_back(c.text);
  return texts;
}

auto Rect(const ControlTemplate& c) { return std::make_tuple(c.x, c.y, c.cx, c.cy); }

TEST(ResourcesTemplates, CaptionsSizesAndButtons) {
  struct Expected {
    int id;
    const char* caption;
    int cx, cy;
    std::size_t controls;
    int defaultButton;  // 0: none
  };
  const Expected expected[] = {
      {1, "ポムル", 112, 101, 6, 1},         {2, "自分の家", 228, 200, 0, 0},
      {3, "道具の選択", 101, 137, 1, 1},     {4, "釣具店", 228, 230, 0, 0},
      {5, "釣り具の販売コーナー", 133, 173, 3, 0}, {6, "ヘラ釣りゲーム", 111, 145, 0, 0},
      {7, "だだ今、釣りしてます。", 207, 150, 5, 0}, {8, "ただいま釣り結果", 133, 153, 17, 116},
      {9, "今日の結果", 133, 187, 21, 117},  {11, "へら釣り大会", 175, 151, 13, 0},
      {13, "ルールの説明", 162, 159, 12, 1},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.id);
    const DialogTemplate& d = DialogResource(e.id);
    EXPECT_EQ(d.id, e.id);
    EXPECT_EQ(d.caption, e.caption);
    EXPECT_EQ(std::tie(d.cx, d.cy), std::tie(e.cx, e.cy));
    EXPECT_EQ(d.controls.size(), e.controls);
    EXPECT_EQ(d.centreOnScreen, e.id == 6);
    EXPECT_TRUE(IsCp932(d.caption));
    for (const auto& c : d.controls) {
      EXPECT_TRUE(IsCp932(c.text)) << c.text;
      EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x < d.cx && c.y < d.cy) << c.text;
      if (c.kind != ControlKind::PushButton && c.kind != ControlKind::DefPushButton) continue;
      EXPECT_TRUE(c.x + c.cx <= d.cx && c.y + c.cy <= d.cy) << "button " << c.id << " sticks out";
      EXPECT_EQ(c.kind == ControlKind::DefPushButton, c.id == e.defaultButton) << "button " << c.id;
    }
  }
}

TEST(ResourcesTemplates, FishingButtonsInOneRow) {
  const DialogTemplate& d = DialogResource(7);
  const char* captions[] = {"投入", "さそい", "あわせ", "あげる", "終了"};
  for (int i = 0; i < 5; ++i) {
    const ControlTemplate& b = Find(d, 111 + i);
    EXPECT_EQ(b.text, captions[i]);
    EXPECT_EQ(Rect(b), std::make_tuple(8 + 40 * i, 104, 32, 32));
  }
}

TEST(ResourcesTemplates, ResultDialogsKeepTheirExactLabels) {
  // Half-width katakana and full-width letters, spelled out in bytes.
  const std::string total = "\xC4\xB0\xC0\xD9";  // ﾄｰﾀﾙ
  const std::string cm = "\x82\x83\x82\x8D";     // ｃｍ
  const DialogTemplate& catchResult = DialogResource(8);
  EXPECT_EQ(Rect(Find(catchResult, 116)), std::make_tuple(40, 136, 50, 14));
  EXPECT_EQ(Labels(catchResult), (std::vector<std::string>{"釣れた魚の種類", "釣れた魚の重さ", "釣れた魚大きさ",
                                                            total + "のひき数", total + "の重量", "池の主", "Kg",
                                                            cm, "匹", "Kg"}));
  const DialogTemplate& dayResult = DialogResource(9);
  EXPECT_EQ(Rect(Find(dayResult, 117)), std::make_tuple(40, 168, 50, 14));
  EXPECT_EQ(Labels(dayResult),
            (std::vector<std::string>{"へらの数", "へらの" + total + "重量", "へらの最大", total + "のひき数",
                                      total + "の重量", total + "の最大", "池の主", "匹", "Kg", cm, "匹", "Kg", cm}));
}

// Every label of every template, as the player sees it: the letters of its text at its place and
// no other ink (buttons and the icon aside, which draw their own).
class TemplateLabels : public DesktopTest {};

TEST_F(TemplateLabels, EveryLabelShowsItsTextAtItsPlace) {
  struct Label {
    const char* text;
    int x, y;  // dialog units
  };
  struct Expected {
    int id;
    std::vector<Label> labels;
  };
  const Expected expected[] = {
      {1, {{"ポムル", 32, 8}, {"Ver 2.10", 36, 24}, {"ヘラブナ釣りゲーム", 0, 88}}},
      {2, {}},
      {3, {}},
      {4, {}},
      {5, {}},
      {6, {}},
      {7, {}},
      {8,
       {{"釣れた魚の種類", 12, 8}, {"釣れた魚の重さ", 12, 28}, {"釣れた魚大きさ", 12, 48}, {"ﾄｰﾀﾙのひき数", 12, 68},
        {"ﾄｰﾀﾙの重量", 12, 88}, {"池の主", 12, 108}, {"Kg", 108, 28}, {"ｃｍ", 108, 48}, {"匹", 108, 68},
        {"Kg", 108, 88}}},
      {9,
       {{"へらの数", 12, 8}, {"へらのﾄｰﾀﾙ重量", 12, 28}, {"へらの最大", 12, 49}, {"ﾄｰﾀﾙのひき数", 12, 68},
        {"ﾄｰﾀﾙの重量", 12, 88}, {"ﾄｰﾀﾙの最大", 12, 108}, {"池の主", 12, 144}, {"匹", 108, 8}, {"Kg", 108, 28},
        {"ｃｍ", 108, 48}, {"匹", 108, 68}, {"Kg", 108, 88}, {"ｃｍ", 108, 120}}},
      {11,
       {{"釣り大会メニュー", 36, 4}, {"釣り大会の内容", 100, 32}, {"２０分以内でヘラブナ総重", 100, 44},
        {"量が多い人が優勝します。", 100, 56}, {"大会は地区大会から始め", 100, 80}, {"ます。", 100, 92},
        {"貴方も日本一を目指そう", 100, 104}}},
      {13,
       {{"釣り大会のルール", 48, 4}, {"時間の制限のみ、道具等制限はない", 4, 16},
        {"大会に出れる資格はぬしの池のぬしを釣った人", 4, 28}, {"市町村大会は地区大会に優勝した人が参加可能", 4, 40},
        {"都道府県大会は市町村大会に優勝した人が参加可能", 4, 52}, {"地方大会は都道府県大会に優勝した人が参加可能", 4, 64},
        {"全国大会は地方大会に優勝した人が参加可能", 4, 76}, {"２０分以内でヘラブナ総重量が多い人が優勝します。", 4, 88},
        {"量が多い人が優勝します。", 4, 100}, {"地区大会 50Kg以上で優勝、大会毎+5Kgで優勝しま", 4, 112},
        {"す。全国大会は70Kgで優勝します。", 4, 124}}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    TDialog dialog(nullptr, e.id);
    Surface screen;
    Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
      screen = Desktop::Get().Compose();
      return KeyDown(Key::Escape);
    });
    dialog.Execute();
    const TSize size = dialog.ClientSize();
    Surface want(size.cx, size.cy, kFaceGrey);
    for (const Label& l : e.labels)
      Fonts::Get().Draw(want, want.Bounds(), DluToPixelsX(l.x), DluToPixelsY(l.y), l.text, FontFace::Prop12, kBlack,
                        std::nullopt);
    const TPoint o = dialog.ClientOrigin();
    int wrong = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        bool drawnByControl = false;
        for (const Control& c : dialog.Controls())
          drawnByControl = drawnByControl || (c.kind != ControlKind::Label && c.kind != ControlKind::EtchedFrame &&
                                              c.rect.Contains({x, y}));
        if (drawnByControl) continue;
        const bool inked = screen.Pixel(o.x + x, o.y + y) == kBlack;
        if (inked != (want.Pixel(x, y) == kBlack) && wrong++ < 3) ADD_FAILURE() << "at " << x << "," << y;
      }
    EXPECT_EQ(wrong, 0) << "pixels where the ink differs";
  }
}

TEST(ResourcesTemplates, AboutBoxShowsTheIconAndFitsItsOwnLabels) {
  for (const auto& c : DialogResource(1).controls) {
    if (c.kind == ControlKind::Icon) {
      EXPECT_EQ(c.iconResource, 1);
      EXPECT_EQ(std::tie(c.x, c.y), std::make_tuple(44, 44));
      EXPECT_TRUE(DluToPixelsX(c.cx) >= 32 && DluToPixelsY(c.cy) >= 32) << "a 32-px icon would be clipped";
    }
    if (c.kind == ControlKind::Label) {
      EXPECT_LE(static_cast<int>(c.text.size()) * 6, DluToPixelsX(c.cx)) << c.text;  // 6 px per byte
      for (const char* address : {"http", "www", ".com", ".jp", "@"}) EXPECT_EQ(c.text.find(address), std::string::npos);
    }
  }
}

TEST(ResourcesTemplates, MainMenuCommands) {
  const MenuTemplate& m = MenuResource("IDM_MENU1");
  ASSERT_EQ(m.popups.size(), 2u);
  EXPECT_EQ(m.popups[0].text, "\xCC\xA7\xB2\xD9(&F)");  // ﾌｧｲﾙ
  EXPECT_EQ(m.popups[1].text, "\xCD\xD9\xCC\xDF(&H)");  // ﾍﾙﾌﾟ
  const std::vector<std::vector<std::pair<std::string, int>>> expected{
      {{"初めからする(&I)", 55530}, {"今日は終わる(&S)", 55534}},
      {{"ゲームあそび方(&W)", 55542}, {"", 0}, {"バージョン(&A)", 55543}}};
  for (std::size_t p = 0; p < 2; ++p) {
    ASSERT_EQ(m.popups[p].items.size(), expected[p].size());
    for (std::size_t i = 0; i < expected[p].size(); ++i) {
      EXPECT_EQ(m.popups[p].items[i].text, expected[p][i].first);
      EXPECT_EQ(m.popups[p].items[i].command, expected[p][i].second);
    }
  }
}

TEST(ResourcesTemplates, IconIsAnOutlinedFishOnDialogGrey) {
  const Surface& icon = IconResource(1);
  ASSERT_EQ(icon.Bounds(), TRect::FromSize(0, 0, 32, 32));
  auto background = [&](int x, int y) { return x < 0 || y < 0 || x > 31 || y > 31 || icon.Pixel(x, y) == kFaceGrey; };
  int fish = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (background(x, y)) continue;
      ++fish;
      const bool edge = background(x - 1, y) || background(x + 1, y) || background(x, y - 1) || background(x, y + 1);
      EXPECT_TRUE(!edge || icon.Pixel(x, y) == kBlack) << x << "," << y;
    }
  EXPECT_TRUE(background(0, 0) && background(31, 31));
  EXPECT_GT(fish, 150);
}

TEST(ResourcesTemplatesDeathTest, UnknownResourcesAbort) {
  EXPECT_DEATH(DialogResource(10), "10");
  EXPECT_DEATH(DialogResource(12), "12");
  EXPECT_DEATH(MenuResource("IDM_MENU2"), "IDM_MENU2");
  EXPECT_DEATH(IconResource(2), "icon");
}

}  // namespace
