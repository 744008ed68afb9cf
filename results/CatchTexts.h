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

// Pieces both result windows show, in CP932.
// A species' name: 11 bytes, blank padded; blank for an unknown code.
std::string SpeciesName(int species);
// The kind shown instead while a master fish of the day is flagged, padded the same way.
std::string MasterFishKind();
bool MasterFishCaughtToday();
// Seeing a result window through its OK acknowledges the day's master fish: the flags go back to 0.
void AcknowledgeMasterFish();
// The flagged master fish's name, or 13 blanks; of several, the last in the order 1..5, pond.
std::string MasterFishLine();
