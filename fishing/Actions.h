#pragma once

class FishingDialog;

// The cast, lure, strike and lift buttons, and the action timer that plays their pictures and
// the fight. A press that the moment does not allow is ignored without a word.
void Cast(FishingDialog& dialog);
void Lure(FishingDialog& dialog);
void Strike(FishingDialog& dialog);
void Lift(FishingDialog& dialog);
void ActionTick(FishingDialog& dialog);

// Action timer states besides those of the fight (see FightTable.h).
enum ActionState : int {
  kIdle = 0,
  kCasting = 1,
  kLuring = 2,
  kStrikeDelay = 31,
  kLifting = 4,
};
