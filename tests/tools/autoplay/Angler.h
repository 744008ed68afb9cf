#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Fishes a trip as a practised angler would: casts, throws bait in by striking a settled float
// until the big fish come, and strikes each bite at the moment its strike hooks the best fish the
// bite offers. That moment is found by looking ahead (Lookahead.h): the rod's delay lies between
// the press and what it hooks. Once `enough` holds it casts no more: it ends the trip, or in a
// tournament, which cannot be ended, it waits for the time to run out.
class Angler {
 public:
  explicit Angler(std::function<bool()> enough) : enough_(std::move(enough)) {}

  // The next line while the trip dialog is open and no message box is.
  std::string Next();

 private:
  struct Strike {
    std::uint64_t pressAt;
    int code;  // the catch code it hooks
  };

  bool NewBite();
  std::optional<Strike> PlanStrike() const;

  std::function<bool()> enough_;
  std::optional<Strike> strike_;
  int lastBiteType_ = 0;
  int lastBiteStep_ = 0;
  bool biteWeighed_ = false;  // the running bite has been looked into
  bool masterShown_ = false;  // the state after a master fish's landing is printed
};

// How much a catch code is worth to the player: the master fish first, then the bigger ヘラブナ.
int Worth(int catchCode);
