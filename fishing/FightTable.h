#pragma once

// Action-timer states of the fight: 3 is its first picture, 5..10 the pictures after it; it ends
// in the landing (11) or the escape (12).
constexpr int kFightFirstState = 3;
constexpr int kLandingState = 11;
constexpr int kEscapeState = 12;

struct FightStep {
  int picture;    // bitmap drawn over the scene
  int nextState;
};

// The picture of fight state `state` for catch code `code`, and the state after it. The bigger
// the fish the longer the fight; the biggest need the landing net.
FightStep NextFightStep(int state, int code, bool landingNet);
