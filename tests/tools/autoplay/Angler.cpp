#include "tests/tools/autoplay/Angler.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include "fishing/Actions.h"
#include "fishing/BiteBands.h"
#include "fishing/FightTable.h"
#include "fishing/FishingDialog.h"
#include "fishing/TackleSettings.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/UiObserver.h"
#include "state/ProcessValues.h"
#include "tests/tools/autoplay/Lookahead.h"

namespace {
constexpr std::uint64_t kLookMs = 10;      // the player looks at the float a hundred times a second
constexpr int kChumTo = 4000;              // bait thrown in before the biggest fish and the master bite
constexpr int kBiteNeedsBait = 10;         // a big fish's bite starts only with more bait than this
constexpr std::uint64_t kPatienceMs = 3000;  // while baiting the water, a later strike is not worth waiting for
constexpr std::uint64_t kHorizonMs = 120000;
constexpr std::uint64_t kIdleMs = 1000;     // rod down, waiting for the tournament to end
constexpr int kTiredAfterSeconds = 600;
constexpr int kCmCast = 111, kCmStrike = 113, kCmEnd = 115, kCmCatchOk = 116;
constexpr int kCatchResultTemplate = 8;
constexpr int kHooksOwnFish = 1000;

std::string Press(int id) { return "press " + std::to_string(id); }
std::string Wait(std::uint64_t ms) { return "wait " + std::to_string(ms); }
std::uint64_t Now() { return Desktop::Get().Now(); }

TDialog* OpenCatchResult() {
  for (TWindow* w : Desktop::Get().TopLevels())
    if (auto* d = dynamic_cast<TDialog*>(w); d && d->TemplateId() == kCatchResultTemplate) return d;
  return nullptr;
}

// What a strike landing at a moment hooks, from the strike window and the bite then.
int CatchCode(int window, int bite) {
  if (window == kHooksOwnFish) return bite;
  if (window > kHooksOwnFish && window <= kHooksOwnFish + 3) return window - kHooksOwnFish;
  return 0;
}

// The strike windows of the running bite as they will come if nobody touches anything: every
// change, with the moment it happened (after the timers of that moment).
struct Change {
  std::uint64_t at;
  int code;
};

class ForecastProbe : public Probe, public UiObserver {
 public:
  std::optional<std::string> NextLine() override {
    if (!watching_) {
      watching_ = true;
      end_ = Now() + kHorizonMs;
      Desktop::Get().SetObserver(this);
      Note();
    }
    if (over_ || Now() >= end_) return std::nullopt;
    return Wait(250);
  }
  std::string Report() override {
    std::ostringstream s;
    for (const Change& c : changes_) s << c.at << ' ' << c.code << '\n';
    return s.str();
  }
  bool Tracing() const override { return true; }
  void TraceLine(std::string_view) override { Note(); }

 private:
  void Note() {
    if (over_) return;
    // The bite is over; what follows is another story.
    if (biteType == 0 || castPhase != 2) {
      over_ = true;
      changes_.push_back({Now(), 0});
      return;
    }
    const int code = CatchCode(strikeWindow, biteType);
    if (changes_.empty() || changes_.back().code != code) changes_.push_back({Now(), code});
  }
  bool watching_ = false;
  bool over_ = false;
  std::uint64_t end_ = 0;
  std::vector<Change> changes_;
};

// Presses strike at a moment and reports the catch code it hooked (-1: the press did not count).
class StrikeProbe : public Probe {
 public:
  explicit StrikeProbe(std::uint64_t pressAt) : pressAt_(pressAt) {}
  std::optional<std::string> NextLine() override {
    switch (step_++) {
      case 0:
        if (Now() < pressAt_) return Wait(pressAt_ - Now());
        [[fallthrough]];
      case 1:
        step_ = 2;
        if (Desktop::Get().TopmostMessageBox() || castPhase != 2 || busyAction != 0) return std::nullopt;
        delay_ = StrikeDelayMs();
        return Press(kCmStrike);
      case 2:
        return Wait(static_cast<std::uint64_t>(delay_));
      default:
        if (actionState == kFightFirstState) code_ = strikeWindow;
        return std::nullopt;
    }
  }
  std::string Report() override { return std::to_string(code_); }

 private:
  std::uint64_t pressAt_;
  int step_ = 0;
  int delay_ = 0;
  int code_ = -1;
};
}  // namespace

int Worth(int catchCode) {
  switch (catchCode) {
    case kMasterPattern: return 100;
    case 24: case 23: case 22: case 12: case 11: return catchCode;
    case 1: case 2: case 3: return 1;
    default: return 0;
  }
}

bool Angler::NewBite() {
  const bool fresh = biteType != 0 && (biteType != lastBiteType_ || biteStep < lastBiteStep_);
  lastBiteType_ = biteType;
  lastBiteStep_ = biteStep;
  return fresh;
}

std::optional<Angler::Strike> Angler::PlanStrike() const {
  std::vector<Change> changes;
  std::istringstream report(RunInCopy(std::make_unique<ForecastProbe>()));
  for (Change c; report >> c.at >> c.code;) changes.push_back(c);
  const std::uint64_t now = Now();
  const auto delay = static_cast<std::uint64_t>(StrikeDelayMs());
  // A strike lands `delay` after its press; it must land strictly inside a window, clear of the
  // ticks that open and close it.
  std::vector<Strike> candidates;
  for (std::size_t i = 0; i + 1 < changes.size(); ++i) {
    const Change& c = changes[i];
    if (Worth(c.code) == 0) continue;
    const std::uint64_t first = std::max(c.at + 1, now + delay), last = changes[i + 1].at - 1;
    for (std::uint64_t land = first; land <= last && land < first + 3; ++land) candidates.push_back({land - delay, c.code});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Strike& a, const Strike& b) { return Worth(a.code) > Worth(b.code); });
  for (const Strike& s : candidates) {
    const std::string hooked = RunInCopy(std::make_unique<StrikeProbe>(s.pressAt));
    if (hooked == std::to_string(s.code)) return s;
  }
  return std::nullopt;
}

std::string Angler::Next() {
  if (strike_) {
    if (Now() < strike_->pressAt) return Wait(strike_->pressAt - Now());
    strike_.reset();
    return Press(kCmStrike);
  }
  if (OpenCatchResult()) {
    // A master fish: what it did to the flags, before the result's OK acknowledges it.
    const bool master = std::any_of(std::begin(nushiCaughtToday), std::end(nushiCaughtToday), [](auto f) { return f != 0; });
    if (master && !masterShown_) {
      masterShown_ = true;
      return "state nushiPresent nushiHeld nushiCaughtToday";
    }
    masterShown_ = false;
    return Press(kCmCatchOk);
  }
  if (NewBite()) biteWeighed_ = false;
  if (busyAction != 0 || actionState != kIdle) return Wait(kLookMs);
  switch (castPhase) {
    case 0:
      if (IsTournament()) return enough_() ? Wait(kIdleMs) : Press(kCmCast);
      // Without a rod rest, tired arms cast no more.
      if (enough_() || (!OwnsRodRest() && fatigueSeconds > kTiredAfterSeconds)) return Press(kCmEnd);
      return Press(kCmCast);
    case 2:
      break;
    default:
      return Wait(kLookMs);
  }
  const bool baiting = baitThrown < kChumTo;
  if (biteType != 0) {
    if (biteWeighed_) return Wait(kLookMs);
    biteWeighed_ = true;
    strike_ = PlanStrike();
    // While the water is still being baited only a master fish, or a fish that comes soon, is
    // worth the wait; otherwise the strike throws the bait in at once.
    if (strike_ && baiting && strike_->code != kMasterPattern && strike_->pressAt > Now() + kPatienceMs)
      strike_.reset();
    if (strike_) return Next();
    return Press(kCmStrike);
  }
  // No bite: bait the water, or cast afresh when too little bait is left for a big fish.
  if (baiting || baitOnHook <= kBiteNeedsBait) return Press(kCmStrike);
  return Wait(kLookMs);
}
