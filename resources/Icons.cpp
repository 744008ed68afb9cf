#include <cstdio>
#include <cstdlib>

#include "framework/Resources.h"

namespace {

// A deep-bodied ヘラブナ facing left: an oval body and a forked tail.
bool InBody(int x, int y) {
  const double dx = (x - 13.5) / 10.5, dy = (y - 15.5) / 7.5;
  return dx * dx + dy * dy <= 1.0;
}

bool InTail(int x, int y) {
  if (x < 22 || x > 29) return false;
  const int spread = x - 21;  // widens towards the tail's end
  const int off = y > 15 ? y - 16 : 15 - y;
  return off <= spread && !(x >= 27 && off <= x - 27);  // notch of the fork
}

bool InFish(int x, int y) {
  if (x < 0 || y < 0 || x >= 32 || y >= 32) return false;
  return InBody(x, y) || InTail(x, y);
}

Surface MakeFishIcon() {
  Surface s(32, 32, kFaceGrey);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!InFish(x, y)) continue;
      const bool edge = !InFish(x - 1, y) || !InFish(x + 1, y) || !InFish(x, y - 1) || !InFish(x, y + 1);
      // Darker back, lighter belly, as a silver fish looks in daylight.
      const TColor silver = y < 14 ? Rgb(150, 155, 165) : y < 18 ? Rgb(205, 208, 215) : Rgb(235, 237, 240);
      s.SetPixel(x, y, edge ? kBlack : silver);
    }
  s.Fill(TRect::FromSize(7, 13, 2, 2), kBlack);  // eye
  for (int y = 11; y <= 20; ++y) s.SetPixel(y < 13 || y > 18 ? 11 : 12, y, Rgb(90, 95, 105));  // gill cover
  return s;
}

}  // namespace

const Surface& IconResource(int id) {
  if (id == 1) {
    static const Surface fish = MakeFishIcon();
    return fish;
  }
  std::fprintf(stderr, "tavo2: there is no icon resource %d\n", id);
  std::abort();
}
