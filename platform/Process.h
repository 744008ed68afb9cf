#pragma once
// Standard output and error carry bytes as they are: on Windows the C runtime would otherwise turn
// every "\n" into "\r\n", and the runner's output would differ from Linux's.
void UseBinaryStandardStreams();

#include <optional>
#include <string>

// A new empty folder of our own among the system's temporary files, made the current directory
// (a replay plays there, away from the player's save); nothing when none can be made.
std::optional<std::string> EnterScratchFolder();
// Leaves the folder for the one the program started in and removes it with the files in it.
void LeaveScratchFolder(const std::string& folder, const std::string& startedIn);
// The current directory.
std::string CurrentFolder();
