#pragma once
#include <cstdint>

// The game's pseudo-random generator: a 64-bit linear congruential generator that starts at 1 in
// every run and is never seeded, so every run draws the same sequence.

// Advances the generator and returns a value in 0..2147483647.
int32_t Random();

// The generator's current state.
uint64_t RandomState();

// Puts the generator at a given state; for tests and replays, the game itself never does.
void SetRandomState(uint64_t state);
