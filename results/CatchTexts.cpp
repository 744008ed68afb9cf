#include "results/CatchTexts.h"

#include <cstdio>
#include <iterator>

#include "state/ProcessValues.h"

namespace {
constexpr std::size_t kNameBytes = 11;
constexpr std::size_t kMasterLineBytes = 13;
constexpr int kPond = 0;

constexpr const char* kSpeciesNames[] = {"", "ブルーギル", "カワムツ", "タナゴ", "フナ", "ヘラブナ", "コイ"};
constexpr const char* kMasterFishKind = "ぬし";

// By water: the pond, then the five lakes.
constexpr const char* kMasterNames[kWaterCount] = {"幻の池のぬし", "丸湖のぬし", "扇湖のぬし",
                                                    "三角湖のぬし", "出島湖のぬし", "三日月湖のぬし"};

// A master fish is not weighed on the scales: the window shows its figures.
constexpr const char* kLakeMasterWeight = "60.0";
constexpr const char* kLakeMasterSize = "80.0";
constexpr const char* kPondMasterWeight = "80.0";
constexpr const char* kPondMasterSize = "100.0";

std::string Padded(std::string text, std::size_t bytes) {
  if (text.size() < bytes) text.append(bytes - text.size(), ' ');
  return text;
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool Caught(int water) { return nushiCaughtToday[water] == 1; }
}  // namespace

std::string SpeciesName(int species) {
  const bool known = species >= 1 && species < static_cast<int>(std::size(kSpeciesNames));
  return Padded(known ? kSpeciesNames[species] : "", kNameBytes);
}

std::string MasterFishKind() { return Padded(kMasterFishKind, kNameBytes); }

bool MasterFishCaughtToday() {
  for (int water = 0; water < kWaterCount; ++water)
    if (Caught(water)) return true;
  return false;
}

void AcknowledgeMasterFish() {
  for (uint8_t& flag : nushiCaughtToday) flag = 0;
}

std::string MasterFishLine() {
  // When several flags are set, the last water in this order names the fish.
  std::string line = Padded("", kMasterLineBytes);
  for (int water : {1, 2, 3, 4, 5, kPond})
    if (Caught(water)) line = kMasterNames[water];
  return line;
}

CatchTexts CurrentCatchTexts() {
  bool lakeMaster = false;
  for (int water = 1; water < kWaterCount; ++water) lakeMaster = lakeMaster || Caught(water);
  const bool pondMaster = Caught(kPond);

  CatchTexts texts;
  const int count = CountedCreelEntries();
  if (count > 0) {
    const CreelEntry& last = creel[count - 1];
    texts.kind = SpeciesName(last.species);
    texts.weight = Format("%6.1f", last.weightKg);
    texts.size = Format("%6.1f", last.sizeCm);
  } else {
    // Nothing landed yet: the last-fish texts stay blank.
    texts.kind = Padded("", kNameBytes);
    texts.weight = Padded("", 6);
    texts.size = Padded("", 6);
  }
  if (lakeMaster || pondMaster) texts.kind = MasterFishKind();
  texts.masterName = MasterFishLine();

  if (lakeMaster) {
    texts.weight = kLakeMasterWeight;
    texts.size = kLakeMasterSize;
  }
  if (pondMaster) {
    texts.weight = kPondMasterWeight;
    texts.size = kPondMasterSize;
  }

  char number[32];
  std::snprintf(number, sizeof number, "%6d", count);
  texts.count = number;
  texts.totalWeight = Format("%6.1f", CreelWeight());
  return texts;
}
