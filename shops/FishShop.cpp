#include "shops/FishShop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "results/Kekka2.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Saturate.h"

namespace {
constexpr int kShopPicture = 18;
constexpr int kDayResultTemplate = 9;
constexpr unsigned kGreetingPauseMs = 1000;
constexpr const char* kCaption = "魚屋の主人";
constexpr int32_t kStallPrice = 1000;
constexpr double kYenPerKg = 100.0;      // every fish
constexpr double kCarpYenPerKg = 300.0;  // on top, for ヘラブナ

bool HoldsMasterFish() {
  return std::any_of(std::begin(gameState.nushiHeld), std::end(gameState.nushiHeld),
                     [](uint8_t held) { return held == 1; });
}

struct Offer {
  std::string text;  // CP932
  int64_t yen;
};

// He pays what he says: the amount is the offer rounded as its text prints it (to nearest, ties
// to even), not the sum of two truncated parts, which could come to up to two yen less.
Offer OfferForCreel() {
  const double offer = kYenPerKg * CreelWeight() + kCarpYenPerKg * todayCarpWeight;
  char text[400];  // "%6.0f" of any double fits
  std::snprintf(text, sizeof text, "￥%6.0fでいいかい", offer);
  // Far beyond any balance; clamped so the conversion is defined, the balance saturates anyway.
  constexpr double kLimit = 1e15;
  return {text, static_cast<int64_t>(std::clamp(std::nearbyint(offer), -kLimit, kLimit))};
}
}  // namespace

TSakanaya::TSakanaya(TWindow* parent, int templateId) : TDialog(parent, templateId), shop_(kShopPicture) {}

void TSakanaya::Paint(TDC& dc, bool, const TRect&) {
  if (greeted_) {
    DrawBitmap(dc, shop_, 0, 0);
    return;
  }
  greeted_ = true;
  // The whole shop, whatever part is being painted: it is what the player looks at in the pause.
  TClientDC whole(*this);
  DrawBitmap(whole, shop_, 0, 0);
  Desktop::Get().Sleep(kGreetingPauseMs);
  Converse();
  CloseWindow(IDOK);
}

void TSakanaya::Converse() {
  if (Ask("いらっしゃい！なにしょう！買いに来たの？"))
    Buy();
  else
    Sell();
}

void TSakanaya::Buy() {
  if (!Ask("これは、￥１０００になるよ！買うの？")) {
    Remark("からかいかよ！");
    return;
  }
  // The stall takes the money and gives nothing the game keeps; a balance of exactly the price
  // is not enough.
  if (gameState.money > kStallPrice)
    gameState.money -= kStallPrice;
  else
    Remark("お金が足らないよ！");
}

void TSakanaya::Sell() {
  if (!Ask("魚を売りに来たの？")) {
    Remark("からかいかよ！");
    return;
  }
  // The day result also works out the ヘラブナ weight the offer is priced on.
  TKekka2 dayResult(this, kDayResultTemplate);
  dayResult.Execute();
  // Master fish stay with the player: they are for the masters' trades.
  if (HoldsMasterFish()) MessageBox("これは池の主ではないか、主は買えないよ", kCaption, MB_OK);
  const Offer offer = OfferForCreel();
  if (!Ask(offer.text)) {
    Remark("またおいで、いつでも買うよ！");
    return;
  }
  gameState.money = SaturatingAdd(gameState.money, offer.yen);
  ClearCreel();
}

bool TSakanaya::Ask(std::string_view question) {
  return MessageBox(question, kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TSakanaya::Remark(std::string_view remark) { MessageBox(remark, kCaption, MB_OK | MB_ICONQUESTION); }

void ClearCreel() {
  const int32_t count = CountedCreelEntries();
  for (int32_t i = 0; i < count; ++i) creel[i] = {};
  creelCount = 0;
  todayCarpWeight = 0.0;
}
