#pragma once
#include "state/GameState.h"

// Whether state differs from the record the browser holds (or none is held): the page then asks
// before it is left.
bool DiffersFromStoredRecord(const GameState& state);
