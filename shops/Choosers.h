#pragma once
#include <span>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Dialog.h"
#include "shops/TacklePictures.h"

// One item's place in a tool chooser.
struct ChooserPlace {
  int itemNumber;
  TPoint picture;
  TPoint marker;       // the ticked box for the equipped item, the empty one otherwise
  Region equipRegion;  // left button
  Region unequipRegion;  // right button
};

// The layout of a chooser: its category and its places, from the highest item number down (the
// order the clicks test them in).
struct ChooserLayout {
  int category;
  std::span<const ChooserPlace> places;
};

// A tool chooser of the home: the owned items of one category, each with a box ticked for the
// equipped one. The left button equips an owned item, the right button un-equips the equipped one;
// the tick moves at once.
class TToolChooser : public TDialog {
 public:
  TToolChooser(TWindow* parent, int templateId, const ChooserLayout& layout);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TToolChooser);

 protected:
  std::vector<TRect> LiveSpots() const override;
  bool RightClickKeys() const override { return true; }

 private:
  void Equip(const TPoint& point);
  void Unequip(const TPoint& point);

  ChooserLayout layout_;
  std::vector<TBitmap> pictures_;  // by place
  TBitmap emptyBox_;
  TBitmap tickedBox_;
};

class TSao : public TToolChooser {
 public:
  TSao(TWindow* parent, int templateId);
};
class TFloat : public TToolChooser {
 public:
  TFloat(TWindow* parent, int templateId);
};
class THook : public TToolChooser {
 public:
  THook(TWindow* parent, int templateId);
};
class TLine : public TToolChooser {
 public:
  TLine(TWindow* parent, int templateId);
};
class TBait : public TToolChooser {
 public:
  TBait(TWindow* parent, int templateId);
};

// The other gear owned: the rod rest, the tackle box and the landing net. Only shown.
class TSonota : public TDialog {
 public:
  TSonota(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  std::vector<TBitmap> pictures_;  // rod rest, tackle box, landing net
};

// The layouts, for tests.
extern const ChooserLayout kRodChooser, kFloatChooser, kHookChooser, kLineChooser, kBaitChooser;
