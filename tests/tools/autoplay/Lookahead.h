#pragma once
#include <memory>
#include <optional>
#include <string>

// Sees what is coming without changing it: the whole program is forked at the moment between two
// script lines, the copy plays on with lines of its own and reports back, and the game here goes
// on untouched. The game is deterministic, so the copy shows exactly what would happen.

// What a copy plays, and what it tells.
class Probe {
 public:
  virtual ~Probe() = default;
  // The copy's next script line, or nullopt once it has seen enough.
  virtual std::optional<std::string> NextLine() = 0;
  virtual std::string Report() = 0;
};

// Thrown in the copy from RunInCopy, for the line source to catch: from then on the source plays
// CopyLine() instead of its usual lines.
struct NowACopy {};

// Here: forks, waits for the copy and returns its report. In the copy: throws NowACopy.
std::string RunInCopy(std::unique_ptr<Probe> probe);
// Whether this process is such a copy.
bool InCopy();
// The copy's next line; once its probe is done, writes the report and ends the copy.
std::string CopyLine();
