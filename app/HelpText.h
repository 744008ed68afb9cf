#pragma once
#include <string_view>

// How to play, shown from the Help menu: CP932, lines separated by '\n', each at most 68 bytes
// so that it fits the help window in one row.
std::string_view HelpText();
