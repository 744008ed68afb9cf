// tavo2-savegen FIELD=VALUE...: writes a crafted save file (a new game changed by the given fields)
// to standard output, for the runner tests. Arrays take comma-separated values; owned=I,J,... marks
// catalog entries owned; price=I,V and sellPrice=I,V set entry I's prices; size=N cuts or pads
// the file to N bytes (a damaged file).
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/Reset.h"

namespace {
std::vector<long long> Values(const std::string& text) {
  std::vector<long long> values;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) values.push_back(std::stoll(item));
  return values;
}

template <std::size_t N>
bool SetBytes(std::uint8_t (&field)[N], const std::vector<long long>& v) {
  if (v.size() != N) return false;
  for (std::size_t i = 0; i < N; ++i) field[i] = static_cast<std::uint8_t>(v[i]);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  ResetGameState();
  long long size = sizeof(GameState);
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
      std::cerr << "savegen: expected FIELD=VALUE: " << arg << "\n";
      return 2;
    }
    std::string name = arg.substr(0, eq);
    std::vector<long long> v = Values(arg.substr(eq + 1));
    bool ok = true;
    GameState& g = gameState;
    if (name == "equipped") ok = SetBytes(g.equipped, v);
    else if (name == "reserved7" && v.size() == 1) g.reserved7 = static_cast<std::uint8_t>(v[0]);
    else if (name == "nushiPresent") ok = SetBytes(g.nushiPresent, v);
    else if (name == "nushiHeld") ok = SetBytes(g.nushiHeld, v);
    else if (name == "bestLevel" && v.size() == 1) g.bestLevel = static_cast<std::int32_t>(v[0]);
    else if (name == "money" && v.size() == 1) g.money = static_cast<std::int32_t>(v[0]);
    else if (name == "dayCount" && v.size() == 1) g.dayCount = static_cast<std::int32_t>(v[0]);
    else if (name == "tournamentLevel" && v.size() == 1) g.tournamentLevel = static_cast<std::int32_t>(v[0]);
    else if (name == "owned") {
      for (long long index : v)
        if (index >= 0 && index < 70) g.items[index].owned = 1; else ok = false;
    } else if ((name == "price" || name == "sellPrice") && v.size() == 2 && v[0] >= 0 && v[0] < 70) {
      if (name == "price") g.items[v[0]].price = static_cast<std::int32_t>(v[1]);
      else g.items[v[0]].sellPrice = static_cast<std::int32_t>(v[1]);
    } else if (name == "size" && v.size() == 1) size = v[0];
    else ok = false;
    if (!ok) {
      std::cerr << "savegen: bad field: " << arg << "\n";
      return 2;
    }
  }
  std::vector<char> bytes(static_cast<std::size_t>(size), 0);
  std::memcpy(bytes.data(), &gameState, std::min<std::size_t>(bytes.size(), sizeof(GameState)));
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}
