#pragma once
#include <string>

// The seven texts of the catch result, worked out from the creel and the master-fish flags as
// they are now (CP932): the last fish's kind, weight and size, the master fish's name, and the
// creel's count and total weight. Texts are not padded where the window draws them plainly.
struct CatchTexts {
  std::string kind;
  std::string masterName;
  std::string weight;
  std::string size;
  std::string count;
  std::string totalWeight;
};

CatchTexts CurrentCatchTexts();

// A species' name as the catch result shows it: 11 bytes, blank padded; blank for an unknown code.
std::string CatchSpeciesName(int species);
