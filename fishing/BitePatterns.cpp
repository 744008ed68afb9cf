#include "fishing/BitePatterns.h"

#include <algorithm>
#include <array>
#include <climits>
#include <span>

#include "fishing/BiteBands.h"
#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "state/Random.h"

// Each pattern is a script: rows of step ranges, an optional condition and up to six actions.
// A step runs the first row whose ranges hold its number and whose condition holds.
namespace {
enum class Op : unsigned char {
  None,
  Bite,           // restart the bite timer with arg ms
  Dip,            // stop the float timer, bite timer at dipPeriod, floatShown += arg
  Return,         // bite timer at returnPeriod, floatShown += arg
  StopFloat,
  ShowBait,       // floatShown = baitOnHook
  Move,           // floatShown += arg
  Window,         // strikeWindow = arg
  Eat,            // the fish takes the bait off the hook
  Nibble,         // arg units of bait taken, not more than there are; baitThrown grows by arg
  EndWhenUp,      // when floatShown <= 0: end, and the row stops
  EndWhenUpEmpty, // the same, and the hook is left empty
  EndWhenAtBait,  // when baitOnHook >= floatShown: end, and the row stops
  PondReset,
  FloatDissolve,  // restart the float timer at dissolvePeriod
  PondWait,       // a long random wait with the hook empty
  PondRunMark,    // the run is over once the float is more than 20 down
  PondEndAtZero,  // the float back at exactly 0 ends the pattern
};

struct Act {
  Op op = Op::None;
  int arg = 0;
};

enum class When : unsigned char { Always, BaitLeft, NoBait, PondSinking, PondSurfaced, PondRunning, PondRunOver };

struct Steps {
  int from = 0, to = -1;
};

struct Row {
  Steps steps[4];
  When when;
  Act acts[6];
};

struct Script {
  int gateBait;        // a pattern starts only with more bait on the hook than this
  bool needsKeyTackle; // later steps need the water's key tackle (masters)
  std::span<const Row> rows;
};

constexpr Steps S(int step) { return {step, step}; }
constexpr Steps S(int from, int to) { return {from, to}; }
constexpr Steps From(int step) { return {step, INT_MAX}; }

constexpr Act Bite(int ms) { return {Op::Bite, ms}; }
constexpr Act Dip(int change) { return {Op::Dip, change}; }
constexpr Act Return(int change) { return {Op::Return, change}; }
constexpr Act StopFloat{Op::StopFloat};
constexpr Act ShowBait{Op::ShowBait};
constexpr Act Move(int change) { return {Op::Move, change}; }
constexpr Act Window(int value) { return {Op::Window, value}; }
constexpr Act Eat{Op::Eat};
constexpr Act Nibble(int units) { return {Op::Nibble, units}; }
constexpr Act EndWhenUp{Op::EndWhenUp};
constexpr Act EndWhenUpEmpty{Op::EndWhenUpEmpty};
constexpr Act EndWhenAtBait{Op::EndWhenAtBait};
constexpr Act PondReset{Op::PondReset};
constexpr Act FloatDissolve{Op::FloatDissolve};
constexpr Act PondWait{Op::PondWait};
constexpr Act PondRunMark{Op::PondRunMark};
constexpr Act PondEndAtZero{Op::PondEndAtZero};

constexpr When A = When::Always;

// Small fish: a long look, a run of nibbles (every `pace` ms, `pull` pixels down) that a strike
// turns into fish `window`, a bite of 20 units at step `last`, then the float comes back.
constexpr std::array<Row, 5> SmallFish(int last, int pace, int pull, int window) {
  return {{
      {{S(1)}, A, {Bite(5000), Window(0), ShowBait}},
      {{S(2)}, A, {ShowBait, Bite(pace), Move(pull), Window(window), StopFloat}},
      {{S(3, last - 1)}, A, {Bite(pace), Move(pull), Window(window), StopFloat}},
      {{S(last)}, A, {Nibble(20), Window(0)}},
      {{From(last + 1)}, A, {EndWhenAtBait, Return(-1)}},
  }};
}
constexpr auto kPattern1 = SmallFish(40, 40, +1, 1001);
constexpr auto kPattern2 = SmallFish(40, 40, +2, 1002);
constexpr auto kPattern3 = SmallFish(20, 300, +1, 1003);

// フナ: eight slow looks, then a steady pull (every `pace` ms, `pull` pixels) until the bait is
// eaten at step `last`, or earlier when it is gone.
constexpr std::array<Row, 6> Crucian(int last, int pace, int pull) {
  return {{
      {{S(1, 5)}, A, {Bite(2000), ShowBait}},
      {{S(6, 8)}, A, {Bite(2000), ShowBait, Move(+1)}},
      {{S(9, last - 1)}, When::BaitLeft, {Move(pull), Window(1000), StopFloat, Bite(pace)}},
      {{S(last)}, A, {Eat, EndWhenUp, Return(-1)}},
      {{From(9)}, When::NoBait, {Eat, EndWhenUp, Return(-1)}},
      {{From(last + 1)}, A, {EndWhenUp, Return(-1)}},
  }};
}
constexpr auto kPattern11 = Crucian(40, 40, +1);
constexpr auto kPattern12 = Crucian(30, 20, +3);

// The small ヘラブナ lifts the float while it takes the bait.
constexpr Row kPattern22[] = {
    {{S(1, 5)}, A, {Bite(2000), ShowBait}},
    {{S(6, 8)}, A, {Bite(2000), ShowBait, Move(+1)}},
    {{S(9, 29)}, When::BaitLeft, {Move(-1), Window(1000), StopFloat, Bite(50)}},
    {{S(30)}, A, {StopFloat, Bite(500)}},
    {{S(9, 30)}, When::NoBait, {StopFloat, Bite(500)}},
    {{From(31)}, A, {Eat, EndWhenUp, Return(-1)}},
};

// Bigger ヘラブナ and the masters begin alike: seven slow looks that bob the float.
constexpr Row kLookOdd{{S(1), S(3), S(5), S(7)}, A, {Bite(1000), ShowBait}};
constexpr Row kLookEven{{S(2), S(4), S(6)}, A, {Bite(1000), Move(+1)}};
constexpr Row kPondLookOdd{{S(1), S(3), S(5), S(7)}, A, {Bite(1000), ShowBait, PondReset}};
constexpr Row kPondLookEven{{S(2), S(4), S(6)}, A, {Bite(1000), Move(+1), PondReset}};

constexpr Row kPattern23[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 23), S(41, 56), S(74, 89)}, A, {Dip(+3), Window(1000)}},
    {{S(24, 39), S(57, 72), S(90, 105)}, A, {Return(-3), Window(0)}},
    {{S(40), S(73)}, A, {Bite(1000)}},
    {{S(106)}, A, {Return(0), Eat}},
    {{From(107)}, A, {Return(-1), EndWhenAtBait}},
};
constexpr Row kPattern24[] = {
    kLookOdd,
    kLookEven,
    {{S(9, 27)}, A, {Dip(+1)}},
    {{S(28, 47)}, A, {Return(-1)}},
    {{S(48)}, A, {Bite(1000)}},
    {{S(50, 68)}, A, {Dip(+3), Window(1000)}},
    {{S(70)}, A, {Eat}},
    {{From(71)}, A, {EndWhenAtBait, Return(-1)}},
};

// The masters, one script per water.
constexpr Row kMasterPond[] = {
    kPondLookOdd,
    kPondLookEven,
    {{S(8, 38)}, A, {Dip(+1)}},
    {{S(39)}, A, {Bite(3000)}},
    {{S(40, 70)}, A, {Return(-1)}},
    {{S(71)}, A, {Bite(3000)}},
    {{S(72, 81), S(93, 102)}, A, {Dip(+1)}},
    {{S(82, 91), S(103, 112)}, A, {Return(-1)}},
    {{S(92)}, A, {Bite(1000)}},
    {{S(113)}, A, {Bite(7000)}},
    {{S(114, 124)}, A, {Dip(+1)}},
    {{S(125)}, A, {Bite(100)}},
    {{S(126, 132)}, A, {Dip(+2)}},
    {{S(133)}, A, {Return(0), Eat}},
    // After the bait is gone: the float rises, a long wait, then the only run that can be struck.
    {{From(134)}, When::PondSinking, {StopFloat, FloatDissolve, Move(-1)}},
    {{From(134)}, When::PondSurfaced, {StopFloat, PondWait}},
    {{From(134)}, When::PondRunning, {StopFloat, Window(1000), Bite(50), Move(+2), PondRunMark}},
    {{From(134)}, When::PondRunOver, {StopFloat, Window(0), FloatDissolve, Move(-1), PondEndAtZero}},
};
constexpr Row kMaster1[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 23), S(41, 56), S(74, 89)}, A, {Dip(+1), Window(1001)}},
    {{S(24, 39), S(57, 72), S(90, 105)}, A, {Return(-1)}},
    {{S(40), S(73), S(106)}, A, {Bite(1000), Window(0)}},
    {{S(107, 115), S(126, 134)}, A, {Dip(+1)}},
    {{S(116, 124), S(135, 143)}, A, {Return(-1)}},
    {{S(125)}, A, {Bite(1000)}},
    {{S(144)}, A, {Bite(7000)}},
    {{S(145, 155)}, A, {Dip(+3), Window(1000)}},
    {{S(156)}, A, {Return(0), Eat}},
    {{From(157)}, A, {Return(-1), EndWhenUp}},
};
constexpr Row kMaster2[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 23), S(41, 56), S(74, 89)}, A, {Dip(+1)}},
    {{S(24, 39), S(57, 72), S(90, 105)}, A, {Return(-1)}},
    {{S(40), S(73)}, A, {Bite(1000)}},
    {{S(106)}, A, {Bite(7000)}},
    {{S(107, 127)}, A, {Dip(-1), Window(1000)}},
    {{S(128)}, A, {Bite(1000)}},
    {{S(129)}, A, {Return(0), Eat}},
    {{From(130)}, A, {Return(-1), EndWhenUpEmpty}},
};
constexpr Row kMaster3[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 17), S(29, 38), S(50, 59)}, A, {Dip(+3)}},
    {{S(18, 27), S(39, 48), S(60, 69)}, A, {Return(-3)}},
    {{S(28), S(49)}, A, {Bite(1000)}},
    {{S(70)}, A, {Bite(7000)}},
    {{S(71, 72), S(75, 76), S(79, 80)}, A, {Dip(+1), Window(1000)}},
    {{S(73, 74), S(77, 78)}, A, {Return(-1)}},
    {{S(81, 82)}, A, {Return(-1), Window(0)}},
    {{S(83)}, A, {Return(0), Eat}},
    {{From(84)}, A, {Return(-1), EndWhenUpEmpty}},
};
constexpr Row kMaster4[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 17), S(29, 38), S(50, 59)}, A, {Dip(+3)}},
    {{S(18, 27), S(39, 48), S(60, 69)}, A, {Return(-3)}},
    {{S(28), S(49)}, A, {Bite(1000)}},
    {{S(70)}, A, {Bite(7000)}},
    {{S(71)}, A, {StopFloat, Bite(2000), Move(+1), Window(1000)}},
    {{S(72)}, A, {Return(-1), Window(0)}},
    {{S(73)}, A, {Return(0), Eat}},
    {{From(74)}, A, {Return(-1), EndWhenUpEmpty}},
};
constexpr Row kMaster5[] = {
    kLookOdd,
    kLookEven,
    {{S(8, 38)}, A, {Dip(+1), Window(1000)}},
    {{S(39)}, A, {Bite(3000), Window(1000)}},
    {{S(40, 70)}, A, {Return(-1)}},
    {{S(71)}, A, {Bite(3000)}},
    {{S(72, 81), S(93, 102)}, A, {Dip(+1)}},
    {{S(82, 91), S(103, 112)}, A, {Return(-1)}},
    {{S(92)}, A, {Bite(1000)}},
    {{S(113)}, A, {Bite(7000)}},
    {{S(114, 124)}, A, {Dip(+1)}},
    {{S(125)}, A, {Bite(100)}},
    {{S(126, 132)}, A, {Dip(+2), Window(1000)}},
    {{S(133)}, A, {Return(0), Eat}},
    {{From(134)}, A, {Return(-1), EndWhenUpEmpty}},
};

struct PatternScript {
  int pattern;
  Script script;
};

constexpr PatternScript kScripts[] = {
    {1, {4, false, kPattern1}},    {2, {4, false, kPattern2}},    {3, {4, false, kPattern3}},
    {11, {10, false, kPattern11}}, {12, {10, false, kPattern12}}, {22, {10, false, kPattern22}},
    {23, {10, false, kPattern23}}, {24, {10, false, kPattern24}},
};

// By water: the pond, then the five lakes.
constexpr Script kMasterScripts[kWaterCount] = {
    {10, true, kMasterPond}, {10, true, kMaster1}, {10, true, kMaster2},
    {10, true, kMaster3},    {10, true, kMaster4}, {10, true, kMaster5},
};

// Item numbers of the phantom tackle by category (rod, float, hook, line, bait); 0 = not needed.
constexpr int kKeyTackle[kWaterCount][6] = {
    {0, 5, 3, 2, 2, 4},  // the pond wants all five
    {0, 5, 0, 0, 0, 0},  // 丸湖: the rod
    {0, 0, 3, 0, 0, 0},  // 扇湖: the float
    {0, 0, 0, 2, 0, 0},  // 三角湖: the hook
    {0, 0, 0, 0, 2, 0},  // 出島湖: the line
    {0, 0, 0, 0, 0, 4},  // 三日月湖: the bait
};

const Script* ScriptFor(int pattern, int water) {
  if (pattern == kMasterPattern) return IsWater(water) ? &kMasterScripts[water] : nullptr;
  for (const PatternScript& entry : kScripts)
    if (entry.pattern == pattern) return &entry.script;
  return nullptr;
}

bool Covers(const Row& row, int step) {
  return std::any_of(std::begin(row.steps), std::end(row.steps),
                     [step](const Steps& s) { return step >= s.from && step <= s.to; });
}

bool Holds(When when) {
  switch (when) {
    case When::Always: return true;
    case When::BaitLeft: return baitOnHook != 0;
    case When::NoBait: return baitOnHook == 0;
    case When::PondSinking: return pondWaitArmed == 0 && floatShown > 0;
    case When::PondSurfaced: return pondWaitArmed == 0 && floatShown <= 0;
    case When::PondRunning: return pondWaitArmed == 1 && pondRunDone == 0;
    case When::PondRunOver: return pondWaitArmed == 1 && pondRunDone == 1;
  }
  return false;
}

void EndPattern(FishingDialog& dialog) {
  biteStep = 0;
  biteType = 0;
  dialog.StartTimer(kFloatTimer, dissolvePeriod);
}

// Runs the row's actions in order; false when an ending stopped the row.
bool Perform(FishingDialog& dialog, const Act& act) {
  switch (act.op) {
    case Op::None: break;
    case Op::Bite: dialog.StartTimer(kBiteTimer, act.arg); break;
    case Op::Dip:
      dialog.StopTimer(kFloatTimer);
      dialog.StartTimer(kBiteTimer, dipPeriod);
      floatShown += act.arg;
      break;
    case Op::Return:
      dialog.StartTimer(kBiteTimer, returnPeriod);
      floatShown += act.arg;
      break;
    case Op::StopFloat: dialog.StopTimer(kFloatTimer); break;
    case Op::ShowBait: floatShown = baitOnHook; break;
    case Op::Move: floatShown += act.arg; break;
    case Op::Window: strikeWindow = act.arg; break;
    case Op::Eat:
      baitThrown += baitOnHook;
      baitOnHook = 0;
      strikeWindow = 0;
      break;
    case Op::Nibble:
      baitThrown += act.arg;
      baitOnHook = std::max(0, baitOnHook - act.arg);
      break;
    case Op::EndWhenUp:
    case Op::EndWhenUpEmpty:
      if (floatShown > 0) break;
      EndPattern(dialog);
      if (act.op == Op::EndWhenUpEmpty) baitOnHook = 0;
      return false;
    case Op::EndWhenAtBait:
      if (baitOnHook < floatShown) break;
      EndPattern(dialog);
      return false;
    case Op::PondReset:
      pondWaitArmed = 0;
      pondRunDone = 0;
      break;
    case Op::FloatDissolve: dialog.StartTimer(kFloatTimer, dissolvePeriod); break;
    case Op::PondWait:
      dialog.StartTimer(kBiteTimer, 13000 + Random() % 7000);
      baitOnHook = 0;
      pondWaitArmed = 1;
      break;
    case Op::PondRunMark:
      if (floatShown > 20) pondRunDone = 1;
      break;
    case Op::PondEndAtZero:
      if (floatShown != 0) break;
      biteStep = 0;
      biteType = 0;
      baitOnHook = 0;
      break;
  }
  return true;
}

bool GatePasses(const Script& script, int water) {
  if (baitOnHook > script.gateBait) return true;
  return biteStep != 0 && (!script.needsKeyTackle || MasterKeyTackleInPlace(water));
}
}  // namespace

bool MasterKeyTackleInPlace(int water) {
  if (!IsWater(water)) return false;
  for (int category = 1; category < 6; ++category) {
    const int wanted = kKeyTackle[water][category];
    if (wanted != 0 && gameState.equipped[category] != wanted) return false;
  }
  return true;
}

void RunBiteStep(FishingDialog& dialog, int pattern, int water) {
  const Script* script = ScriptFor(pattern, water);
  if (!script || !GatePasses(*script, water)) {
    biteStep = 0;
    biteType = 0;
    return;
  }
  biteStep += 1;
  for (const Row& row : script->rows) {
    if (!Covers(row, biteStep) || !Holds(row.when)) continue;
    for (const Act& act : row.acts)
      if (!Perform(dialog, act)) break;
    break;
  }
  dialog.Scene().Float(floatShown);
}
