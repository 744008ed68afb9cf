#pragma once
#include <optional>

#include "state/ProcessValues.h"

class FishingDialog;

// The fish of catch code `code` with its length and weight drawn at random (two draws, the
// length first); nullopt for a code that is no fish. Code 41 is the giant ヘラブナ of a
// tournament; outside tournaments it is a master fish, which Landing handles without drawing.
std::optional<CreelEntry> DrawCatch(int code);

// The end of a fight (catch code in strikeWindow): the fish goes into the creel, or a master fish
// sets its flags, and a catch result window opens. The fish is let go when the creel is full.
void Landing(FishingDialog& dialog);

// The fish got away for want of a landing net.
void Escape(FishingDialog& dialog);
