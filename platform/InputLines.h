#pragma once
#include <optional>
#include <string>
#include <vector>

#include "framework/Platform.h"

// Input as a real window delivers it, as lines of the runner's script: the form of a record.
//   mouse down|up left|right X Y, mouse move X Y   the pointer at a screen point
//   keydown NAME, keyup NAME                        a key, its modifiers first: shift+ctrl+alt+f4
//   closerequest                                    the OS window's close request
// The line of an input a real window delivers; nothing for what is not such input.
std::optional<std::string> InputLine(const InputEvent& event);
// The input of such a line, split into words; nothing when it is not one.
std::optional<InputEvent> ParseInputLine(const std::vector<std::string>& words);
// Sets the key and modifiers named as in "shift+tab"; false for a name no key has.
bool ParseKeyName(const std::string& name, InputEvent& event);
