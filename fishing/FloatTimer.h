#pragma once

class FishingDialog;

// A tick of the float timer: the bait sinks to its depth, then dissolves one unit a tick (ten
// quick units after a lure), and the float is drawn at the bait's depth.
void FloatTick(FishingDialog& dialog);
