#include "tests/tools/autoplay/Player.h"

#include <cstdio>
#include <cstdlib>

#include "app/MapPlaces.h"
#include "fishing/BitePatterns.h"
#include "fishing/TackleSettings.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Encoding.h"
#include "framework/MessageBox.h"
#include "quests/MasterLines.h"
#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kShopTemplate = 4, kSalesCornerTemplate = 5, kTalkTemplate = 6, kFishingTemplate = 7,
              kCatchResultTemplate = 8, kDayResultTemplate = 9, kTournamentTemplate = 11;
constexpr int kCmBuy = 1, kCmSell = 101, kCmDayResultOk = 117, kCmEndDay = 55534;
constexpr int kHeraSpecies = 5;
constexpr int kLastTournamentLevel = 5, kChampionLevel = 6, kWorldLevel = 7;
constexpr double kYenPerKg = 100.0, kHeraYenPerKg = 300.0;  // what the fishmonger pays
constexpr std::uint64_t kLongestDayMs = 24ull * 3600 * 1000;  // of game time
constexpr double kDistrictWinningKg = 50.0, kWinningKgStep = 5.0, kLeadKg = 2.0;

// The tournament buttons by entry level: district, municipal, prefectural, regional, national.
constexpr int kTournamentButton[kLastTournamentLevel] = {115, 114, 113, 112, 111};

// A point inside each spot of the shop picture, by catalog index.
struct ShopSpot {
  int item, x, y;
};
constexpr ShopSpot kShopSpots[] = {
    {12, 21, 258}, {13, 48, 258}, {14, 77, 258}, {15, 104, 258}, {22, 30, 96},  {23, 59, 96},  {32, 286, 44},
    {42, 286, 128}, {52, 214, 66}, {53, 214, 170}, {54, 214, 266}, {61, 319, 210}, {62, 147, 289}, {63, 319, 300},
};

const char* const kWaterNames[kWaterCount] = {"幻の池", "丸湖", "扇湖", "三角湖", "出島湖", "三日月湖"};
const char* const kCategoryNames[6] = {"", "rod", "float", "hook", "line", "bait"};

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "autoplay: %s\n", why.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

std::string Utf8(std::string_view cp932) { return Cp932ToUtf8(cp932); }
std::string Water(int water) { return Utf8(kWaterNames[water]); }
std::string ItemName(int item) {
  // The name line, without its label and blanks.
  std::string line = Utf8(ItemLine(gameState.items[item], 0));
  const std::string label = Utf8("品名：");
  const std::size_t at = line.find(label);
  if (at != std::string::npos) line = line.substr(at + label.size());
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string::npos ? line : line.substr(first);
}

bool Owns(int item) { return IsOwned(gameState.items[item]); }

double HeraKg() {
  double kg = 0.0;
  for (int i = 0; i < CountedCreelEntries(); ++i)
    if (creel[i].species == kHeraSpecies) kg += creel[i].weightKg;
  return kg;
}

// What the fishmonger would pay for the creel now.
double CreelYen() { return kYenPerKg * CreelWeight() + kHeraYenPerKg * HeraKg(); }

std::string State(const char* fields) { return std::string("state ") + fields; }
}  // namespace

void Player::BoxWatcher::Attach() {
  next_ = Desktop::Get().Observer();
  Desktop::Get().SetObserver(this);
}

void Player::BoxWatcher::BoxOpened(std::string_view text, std::string_view caption, unsigned style) {
  open.push_back({std::string(text), std::string(caption), style});
  next_->BoxOpened(text, caption, style);
}

std::string Player::Next() {
  if (!started_) {
    started_ = true;
    boxes_.Attach();
    return "texts off";
  }
  if (!say_.empty()) {
    std::string line = std::move(say_.front());
    say_.pop_front();
    return line;
  }
  Desktop& desktop = Desktop::Get();
  if (desktop.Now() > kLongestDayMs) Fail("the day goes on and on: the player is stuck");
  if (auto* box = dynamic_cast<TDialog*>(desktop.TopmostMessageBox())) {
    if (boxes_.open.empty()) {
      // Only the start-up box about a missing save comes before the player listens.
      if (box->Controls().size() != 1 || !box->FindControl(IDOK)) Fail("a question opened unheard");
      return "answer ok";
    }
    std::string answer = Answer(boxes_.open.back());
    boxes_.open.pop_back();
    return answer;
  }
  auto* dialog = dynamic_cast<TDialog*>(desktop.TopLevels().back());
  if (!dialog) return OnMap();
  switch (dialog->TemplateId()) {
    case kShopTemplate: return InShop();
    case kSalesCornerTemplate: return InSalesCorner();
    case kFishingTemplate:
    case kCatchResultTemplate: return angler_->Next();
    case kDayResultTemplate: return "press " + std::to_string(kCmDayResultOk);
    case kTournamentTemplate: return InTournamentHouse();
    case kTalkTemplate: return "wait 10";  // the master or the fishmonger is about to speak
    default: Fail("an unexpected window: template " + std::to_string(dialog->TemplateId()));
  }
}

std::string Player::Answer(const Box& box) {
  const std::string_view text = box.text;
  if ((box.style & 0xF) == MB_OK) {
    // Refusals that the day's plan should never meet.
    static const char* const kTrouble[] = {
        "お金が足りません",   "すでにこの道具は持っています", "この道具を持っていません", "竿を持っていません",
        "浮きが付いていません", "針が付いていません",         "釣り糸が付いていません",   "見てないのなら見てきなさい。",
        "主を釣り上げてきてほしい。", "からかいかよ！",        "お金が足らないよ！",       "またおいで、いつでも買うよ！"};
    for (const char* trouble : kTrouble)
      if (text == trouble) Fail("the game refused: " + Utf8(text));
    return "answer ok";
  }
  // The fishmonger's stall sells nothing the game keeps.
  if (text == "いらっしゃい！なにしょう！買いに来たの？") return "answer no";
  static const char* const kYes[] = {
      "本当に買いますか?",   "本当に売りますか?",        "この道具を装備しますか？",
      "魚を売りに来たの？", "釣れた魚を買っていいですか", "釣った魚をFish Shopで魚を売りましたか？",
      "セーブ終了しますか！（今の状態を保存します）"};
  for (const char* yes : kYes)
    if (text == yes) return "answer yes";
  if (text.ends_with("でいいかい")) return "answer yes";  // the fishmonger's offer
  for (int m = 1; m <= 5; ++m)
    if (box.caption == FindMaster(m)->caption) return "answer yes";  // yes, landed; yes, take it
  Fail("an unexpected question: " + Utf8(text));
}

void Player::PlanDay() {
  const GameState& g = gameState;
  if (g.tournamentLevel >= kLastTournamentLevel || AllMasterFishCaught()) {
    if (g.tournamentLevel < kLastTournamentLevel) {
      heading_.push_back("Every master fish is landed: the five tournaments, from the district up to the national one,");
      heading_.push_back("each a 20-minute trip won by more than 50, 55, 60, 65 and 70 kg of " + Utf8("ヘラブナ") + ";");
      heading_.push_back("with a safe lead the angler puts the rod down and waits for the end.");
      Add(Errand::Tournaments);
    }
    if (g.tournamentLevel < kWorldLevel) {
      heading_.push_back("The national title shows the champion picture; the world button leads to the world stage.");
      Add(Errand::WorldButton);
    }
  } else {
    int water = 0;
    for (int lake = 1; lake < kWaterCount && water == 0; ++lake)
      if (g.nushiPresent[lake] == 1) water = lake;
    if (water == 0 && !MasterKeyTackleInPlace(0)) Fail("the pond's master fish bites only at the five phantom items");
    // What fishing needs: a rod, a float, a hook and a line, and the landing net for the big fish.
    // The net comes first, so the cheapest of the rest.
    int money = g.money;
    std::string bought;
    for (int category = 1; category <= 4; ++category) {
      if (g.equipped[category] != 0) continue;
      const int item = CatalogIndexOfItem(category, 1);
      Add(Errand::Buy, item);
      money -= g.items[item].price;
      bought += std::string(bought.empty() ? "" : ", ") + kCategoryNames[category];
    }
    if (!Owns(kLandingNetItem)) {
      Add(Errand::Buy, kLandingNetItem);
      money -= g.items[kLandingNetItem].price;
      bought += std::string(bought.empty() ? "" : " and ") + "landing net";
    }
    if (!bought.empty()) heading_.push_back("A new player: buys the cheapest " + bought + ".");
    // Without a rod rest the arms tire; the day's catch should pay for one.
    if (!Owns(kRodRestItem)) yenWanted_ = std::max(0, g.items[kRodRestItem].price - money);
    heading_.push_back("At " + Water(water) + " baits the water and lands its master fish" +
                       (yenWanted_ ? ", and enough fish to sell for " + std::to_string(yenWanted_) + " yen" : "") + ".");
    Add(Errand::Fish, water);
    Add(Errand::SellCatch);
    if (water != 0) {
      // The item the master's replaces: the one equipped, or the one bought today (no bait is).
      const int old = g.equipped[water] ? g.equipped[water] : (water <= 4 ? 1 : 0);
      heading_.push_back("Trades the fish with the " + std::string(kCategoryNames[water]) +
                         " master for his phantom " + kCategoryNames[water] + " and equips it" +
                         (old ? "; sells the old one." : "."));
      Add(Errand::Trade, water);
      if (old) Add(Errand::Sell, CatalogIndexOfItem(water, old));
    } else {
      heading_.push_back("The pond's master bites only at all five phantom items; the pond has no master to trade it with.");
    }
    if (!Owns(kRodRestItem)) {
      heading_.push_back("Buys a rod rest with the money, if it is enough.");
      Add(Errand::Buy, kRodRestItem);
    }
  }
  Add(Errand::EndDay);
}

std::string Player::Heading() const {
  std::string text = "# Day " + std::to_string(day_) + " of the playthrough, written by tavo2-autoplay (see the README).\n";
  for (const std::string& line : heading_) text += "# " + line + "\n";
  return text;
}

std::string Player::Click(int x, int y) const { return "click " + std::to_string(x) + " " + std::to_string(y); }

std::string Player::ClickPlace(Place place, int number) const {
  for (const MapPlace& p : MapPlaces())
    if (p.place == place && p.number == number) return Click((p.left + p.right) / 2, (p.top + p.bottom) / 2);
  Fail("no such place on the map");
}

std::string Player::OnMap() {
  if (!planned_) {
    planned_ = true;
    Say(State("equipped nushiPresent nushiHeld bestLevel money dayCount tournamentLevel owned"));
    PlanDay();
    return Next();
  }
  if (shopping_) {
    shopping_ = false;
    return State("money owned equipped");
  }
  if (tasks_.empty()) Fail("the day is over but the program goes on");
  Task& task = tasks_.front();
  if (task.begun) {
    Finished(task);
    tasks_.pop_front();
    return Next();
  }
  return Begin(task);
}

std::string Player::Begin(Task& task) {
  const GameState& g = gameState;
  switch (task.what) {
    case Errand::Buy:
    case Errand::Sell:
      Comment("The tackle shop");
      shopping_ = true;
      Say(ClickPlace(Place::TackleShop, 0));
      return Next();
    case Errand::Fish: {
      const int water = task.arg;
      Comment("Fishing at " + Water(water));
      const int yen = yenWanted_;
      angler_ = std::make_unique<Angler>([water, yen] { return gameState.nushiPresent[water] == 0 && CreelYen() >= yen; });
      task.begun = true;
      Say(ClickPlace(Place::Water, water));
      return Next();
    }
    case Errand::SellCatch:
      if (CountedCreelEntries() == 0) {
        tasks_.pop_front();
        return Next();
      }
      Comment("The fish shop: the day result, then the sale");
      task.begun = true;
      Say(ClickPlace(Place::FishShop, 0));
      return Next();
    case Errand::Trade:
      Comment("The " + std::string(kCategoryNames[task.arg]) + " master");
      task.begun = true;
      Say(ClickPlace(Place::Master, task.arg));
      return Next();
    case Errand::Tournaments:
      Comment("The tournament house");
      task.begun = true;
      Say(ClickPlace(Place::TournamentHouse, 0));
      return Next();
    case Errand::WorldButton:
      if (g.tournamentLevel != kChampionLevel) Fail("no world button on the map");
      Comment("The champion picture has been shown: the world button");
      Say(State("tournamentLevel"));
      Say(ClickPlace(Place::WorldButton, 0));
      task.begun = true;
      return Next();
    case Errand::EndDay:
      Comment("The end of the day, saved");
      task.begun = true;
      Say("menu " + std::to_string(kCmEndDay));
      return Next();
  }
  Fail("an unknown errand");
}

void Player::Finished(const Task& task) {
  switch (task.what) {
    case Errand::Fish:
      angler_.reset();
      Say(State("nushiPresent nushiHeld creelCount bestLevel dayCount time"));
      break;
    case Errand::SellCatch:
      Say(State("money creelCount"));
      break;
    case Errand::Trade:
      Say(State("nushiHeld owned equipped"));
      break;
    case Errand::Tournaments:
      Say(State("tournamentLevel"));
      break;
    case Errand::WorldButton:
      Say(State("tournamentLevel nushiPresent nushiHeld"));
      break;
    default:
      break;
  }
}

std::string Player::InShop() {
  while (!tasks_.empty() && (tasks_.front().what == Errand::Buy || tasks_.front().what == Errand::Sell)) {
    Task& task = tasks_.front();
    const TackleItem& item = gameState.items[task.arg];
    if (!task.begun) {
      if (task.what == Errand::Buy && item.price > gameState.money) {
        Comment("Not enough money for the " + ItemName(task.arg) + " yet");
        tasks_.pop_front();
        continue;
      }
      task.begun = true;
      Comment(std::string(task.what == Errand::Buy ? "Buys" : "Sells") + " the " + ItemName(task.arg));
      for (const ShopSpot& spot : kShopSpots)
        if (spot.item == task.arg) {
          Say(Click(spot.x, spot.y));
          return Next();
        }
      Fail("no spot in the shop for item " + std::to_string(task.arg));
    }
    // Back from the sales corner.
    if (Owns(task.arg) != (task.what == Errand::Buy)) Fail("the sale of item " + std::to_string(task.arg) + " did not happen");
    tasks_.pop_front();
  }
  return "close";
}

std::string Player::InSalesCorner() {
  if (tasks_.empty()) Fail("in the sales corner with nothing to do");
  return "press " + std::to_string(tasks_.front().what == Errand::Buy ? kCmBuy : kCmSell);
}

std::string Player::InTournamentHouse() {
  if (tournamentPlayed_) {
    tournamentPlayed_ = false;
    return State("tournamentLevel todayCarpWeight money creelCount time");
  }
  const int level = gameState.tournamentLevel;
  if (level >= kLastTournamentLevel) return "close";
  Comment("Tournament " + std::to_string(level + 1) + " of 5");
  tournamentPlayed_ = true;
  // A safe lead over the winning weight is enough.
  const double winningKg = kDistrictWinningKg + kWinningKgStep * level;
  angler_ = std::make_unique<Angler>([winningKg] { return HeraKg() > winningKg + kLeadKg; });
  Say("press " + std::to_string(kTournamentButton[level]));
  return Next();
}
