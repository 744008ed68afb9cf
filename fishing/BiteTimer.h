#pragma once

class FishingDialog;

// A tick of the bite timer with the float settled: the next step of the bite in progress, or a
// roll for a new one.
void BiteTick(FishingDialog& dialog);
