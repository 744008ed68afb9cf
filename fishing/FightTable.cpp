#include "fishing/FightTable.h"

namespace {
enum class Net : unsigned char { Any, With, Without };

struct FightRow {
  int state;
  int codes[6];  // 0-terminated; none listed: any other code
  Net net;
  FightStep step;
};

constexpr int L = kLandingState, E = kEscapeState;

// Tried in order: the first row of the state that lists the code (or lists none) and fits the net.
constexpr FightRow kFight[] = {
    {3, {1}, Net::Any, {34, L}},
    {3, {2}, Net::Any, {35, L}},
    {3, {3}, Net::Any, {36, L}},
    {3, {}, Net::Any, {38, 5}},  // 11, 12, 22, 23, 24, 41
    {5, {11}, Net::Any, {34, L}},
    {5, {}, Net::Any, {39, 6}},
    {6, {12, 22}, Net::Any, {37, L}},
    {6, {}, Net::Any, {38, 7}},
    {7, {23}, Net::With, {37, L}},
    {7, {23}, Net::Without, {40, E}},
    {7, {}, Net::Any, {39, 8}},
    {8, {24}, Net::With, {37, L}},
    {8, {24}, Net::Without, {40, E}},
    {8, {}, Net::Any, {38, 9}},
    {9, {}, Net::Any, {39, 10}},
    {10, {}, Net::With, {46, L}},
    {10, {}, Net::Without, {40, E}},
};

bool Lists(const FightRow& row, int code) {
  if (row.codes[0] == 0) return true;
  for (int listed : row.codes)
    if (listed == code) return listed != 0;
  return false;
}

bool Fits(Net net, bool landingNet) { return net == Net::Any || (net == Net::With) == landingNet; }
}  // namespace

FightStep NextFightStep(int state, int code, bool landingNet) {
  for (const FightRow& row : kFight)
    if (row.state == state && Lists(row, code) && Fits(row.net, landingNet)) return row.step;
  // Not a fight state: land whatever is on the line.
  return {0, kLandingState};
}
