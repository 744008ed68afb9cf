#pragma once
#include <string>

// One line of the fishing trace: the clock, what just happened (float, bite, action, cast, lure,
// strike, lift) and the trip variables that tell where the trip is.
std::string TraceLine(const char* event);
