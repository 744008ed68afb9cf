#include "state/Random.h"

namespace {

constexpr uint64_t kMultiplier = 0x15A4'0000'4E35;
uint64_t state = 1;

}  // namespace

int32_t Random() {
  state = state * kMultiplier + 1;  // unsigned arithmetic wraps mod 2^64
  return static_cast<int32_t>(static_cast<uint32_t>(state >> 32) & 0x7FFF'FFFFu);
}

uint64_t RandomState() { return state; }

void SetRandomState(uint64_t newState) { state = newState; }
