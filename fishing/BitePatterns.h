#pragma once

class FishingDialog;

// What a strike would hook while a bite runs (strikeWindow): nothing, the pattern's own fish, or
// one of the small fish 1..3 (kHooksOwnFish + 1..3) nibbling at a bigger fish's bait.
constexpr int kHooksNothing = 0;
constexpr int kHooksOwnFish = 1000;

// Runs one step of bite pattern `pattern` (1, 2, 3, 11, 12, 22, 23, 24, or the master pattern of
// `water`): the step gate, then the script's action for the next step number, then the float is
// drawn at floatShown. A gate that fails abandons the pattern (biteStep and biteType 0).
void RunBiteStep(FishingDialog& dialog, int pattern, int water);

// Whether the water's key tackle for its master fish is equipped (the pond wants all five
// phantom items). A water outside 0..5 has none.
bool MasterKeyTackleInPlace(int water);
