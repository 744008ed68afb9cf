#pragma once

constexpr int kMasterPattern = 41;

// The bite a roll brings at a given amount of bait thrown in: a pattern number (1, 2, 3, 11, 12,
// 22, 23, 24, or kMasterPattern), or 0 for none. masterMayBite says whether the water's master
// fish is there to bite (or the trip is a tournament).
int PatternForRoll(int baitThrownSoFar, int roll, bool masterMayBite);
