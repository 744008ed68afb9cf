#pragma once
#include "framework/Geometry.h"

// Bitmap numbers of the tackle pictures the home, its choosers and the shop draw.

// The picture of item number n of an equippable category; the category's blank slot when n is
// not one of its numbers (nothing equipped, or a damaged save).
int ItemPicture(int category, int n);
int BlankSlotPicture(int category);

// The pictures of the other gear, by catalog index 61..63; 0 for any other index.
int OtherGearPicture(int catalogIndex);

// A click region with inclusive bounds: left <= x <= right and top <= y <= bottom.
struct Region {
  int left, right, top, bottom;
  constexpr bool Contains(TPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
  // The same pixels as a half-open rectangle.
  constexpr TRect Rect() const { return {left, top, right + 1, bottom + 1}; }
};
