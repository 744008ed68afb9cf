#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/Resources.h"

namespace {

using K = ControlKind;

ControlTemplate Frame(int x, int y, int cx, int cy) { return {K::EtchedFrame, IDC_STATIC, "", x, y, cx, cy}; }
ControlTemplate Label(const char* text, int x, int y, int cx, int cy) {
  return {K::Label, IDC_STATIC, text, x, y, cx, cy};
}

std::vector<DialogTemplate> BuildTemplates() {
  std::vector<DialogTemplate> t;

  // About box.
  t.push_back({1, "ポムル", 112, 101,
               {
                   {K::DefPushButton, 1, "OK", 28, 72, 50, 14},
                   {K::Icon, IDC_STATIC, "", 44, 44, 20, 22, 1},
                   Label("ポムル", 32, 8, 48, 8),
                   Label("Ver 2.10", 36, 24, 40, 8),
                   Frame(8, 4, 88, 64),
                   Label("ヘラブナ釣りゲーム", 0, 88, 112, 8),
               }});

  // Home: the house picture is painted, everything else is clicks.
  t.push_back({2, "自分の家", 228, 200, {}});

  // Tool choice.
  t.push_back({3, "道具の選択", 101, 137, {{K::DefPushButton, 1, "OK", 24, 120, 50, 14}}});

  // Tackle shop.
  t.push_back({4, "釣具店", 228, 230, {}});

  // Sales corner. Button 1 is "buy", not an OK, so nothing is pressed by Enter alone.
  t.push_back({5, "釣り具の販売コーナー", 133, 173,
               {
                   {K::PushButton, 1, "買っちゃう", 4, 152, 36, 16},
                   {K::PushButton, 101, "売っちゃう", 48, 152, 36, 16},
                   {K::PushButton, 102, "前に戻る", 92, 152, 36, 16},
               }});

  // Fish shop and the masters: they talk through message boxes only.
  DialogTemplate talk{6, "ヘラ釣りゲーム", 111, 145, {}};
  talk.centreOnScreen = true;
  t.push_back(talk);

  // Fishing trip.
  t.push_back({7, "だだ今、釣りしてます。", 207, 150,
               {
                   {K::PushButton, 111, "投入", 8, 104, 32, 32},
                   {K::PushButton, 112, "さそい", 48, 104, 32, 32},
                   {K::PushButton, 113, "あわせ", 88, 104, 32, 32},
                   {K::PushButton, 114, "あげる", 128, 104, 32, 32},
                   {K::PushButton, 115, "終了", 168, 104, 32, 32},
               }});

  // Catch result.
  t.push_back({8, "ただいま釣り結果", 133, 153,
               {
                   {K::DefPushButton, 116, "OK", 40, 136, 50, 14},
                   Label("釣れた魚の種類", 12, 8, 48, 8),
                   Label("釣れた魚の重さ", 12, 28, 48, 8),
                   Label("釣れた魚大きさ", 12, 48, 48, 8),
                   Label("ﾄｰﾀﾙのひき数", 12, 68, 44, 8),
                   Label("ﾄｰﾀﾙの重量", 12, 88, 44, 8),
                   Label("池の主", 12, 108, 32, 12),
                   Label("Kg", 108, 28, 12, 8),
                   Label("ｃｍ", 108, 48, 12, 8),
                   Label("匹", 108, 68, 12, 8),
                   Label("Kg", 108, 88, 12, 8),
                   Frame(8, 4, 120, 16),
                   Frame(8, 24, 120, 16),
                   Frame(8, 44, 120, 16),
                   Frame(8, 64, 120, 16),
                   Frame(8, 84, 120, 16),
                   Frame(8, 104, 120, 28),
               }});

  // Day result.
  t.push_back({9, "今日の結果", 133, 187,
               {
                   {K::DefPushButton, 117, "OK", 40, 168, 50, 14},
                   Label("へらの数", 12, 8, 48, 8),
                   Label("へらのﾄｰﾀﾙ重量", 12, 28, 48, 8),
                   Label("へらの最大", 12, 49, 48, 8),
                   Label("ﾄｰﾀﾙのひき数", 12, 68, 44, 8),
                   Label("ﾄｰﾀﾙの重量", 12, 88, 44, 8),
                   Label("ﾄｰﾀﾙの最大", 12, 108, 44, 8),
                   Label("池の主", 12, 144, 24, 12),
                   Label("匹", 108, 8, 12, 8),
                   Label("Kg", 108, 28, 12, 8),
                   Label("ｃｍ", 108, 48, 12, 8),
                   Label("匹", 108, 68, 12, 8),
                   Label("Kg", 108, 88, 12, 8),
                   Label("ｃｍ", 108, 120, 12, 8),
                   Frame(8, 4, 120, 16),
                   Frame(8, 24, 120, 16),
                   Frame(8, 44, 120, 16),
                   Frame(8, 64, 120, 16),
                   Frame(8, 84, 120, 16),
                   Frame(8, 104, 120, 32),
                   Frame(8, 140, 120, 24),
               }});

  // Tournament menu.
  t.push_back({11, "へら釣り大会", 175, 151,
                {
                    {K::PushButton, 111, "全国大会", 36, 20, 60, 24},
                    {K::PushButton, 112, "各地方大会", 36, 44, 60, 24},
                    {K::PushButton, 113, "各都道府県大会", 36, 68, 60, 24},
                    {K::PushButton, 114, "各市町村大会", 36, 92, 60, 24},
                    {K::PushButton, 115, "各地区大会", 36, 116, 60, 24},
                    {K::PushButton, 116, "ルール", 132, 124, 40, 20},
                    Label("釣り大会メニュー", 36, 4, 56, 12),
                    Label("釣り大会の内容", 100, 32, 80, 8),
                    Label("２０分以内でヘラブナ総重", 100, 44, 80, 8),
                    Label("量が多い人が優勝します。", 100, 56, 80, 8),
                    Label("大会は地区大会から始め", 100, 80, 80, 8),
                    Label("ます。", 100, 92, 80, 8),
                    Label("貴方も日本一を目指そう", 100, 104, 80, 8),
                }});

  // Tournament rules.
  t.push_back({13, "ルールの説明", 162, 159,
                {
                    {K::DefPushButton, 1, "OK", 56, 140, 50, 14},
                    Label("釣り大会のルール", 48, 4, 56, 8),
                    Label("時間の制限のみ、道具等制限はない", 4, 16, 108, 8),
                    Label("大会に出れる資格はぬしの池のぬしを釣った人", 4, 28, 140, 8),
                    Label("市町村大会は地区大会に優勝した人が参加可能", 4, 40, 144, 8),
                    Label("都道府県大会は市町村大会に優勝した人が参加可能", 4, 52, 156, 8),
                    Label("地方大会は都道府県大会に優勝した人が参加可能", 4, 64, 148, 8),
                    Label("全国大会は地方大会に優勝した人が参加可能", 4, 76, 128, 8),
                    Label("２０分以内でヘラブナ総重量が多い人が優勝します。", 4, 88, 156, 8),
                    Label("量が多い人が優勝します。", 4, 100, 80, 8),
                    Label("地区大会 50Kg以上で優勝、大会毎+5Kgで優勝しま", 4, 112, 156, 8),
                    Label("す。全国大会は70Kgで優勝します。", 4, 124, 156, 8),
                }});

  return t;
}

}  // namespace

const DialogTemplate& DialogResource(int id) {
  static const std::vector<DialogTemplate> templates = BuildTemplates();
  for (const auto& t : templates)
    if (t.id == id) return t;
  std::fprintf(stderr, "tavo2: there is no dialog template %d\n", id);
  std::abort();
}
