#include "fishing/FishingScene.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/Window.h"

namespace {
constexpr int kSceneX = 50, kSceneY = 10;
constexpr int kFloatX = 182;           // the float's strip
constexpr int kFloatWidth = 8, kFloatTravel = 96;
constexpr int kRepairColumn = 122;     // scene column the float strip and the lure area are repaired from
constexpr int kLureX = 180, kLureWidth = 32;
constexpr int kCastX = 96, kStrikeX = 116, kSpriteSize = 96;

constexpr int kFightPictureIds[] = {34, 35, 36, 37, 38, 39, 40, 46};

int ClampedDepth(int depth) { return std::clamp(depth, 0, kFloatTravel); }

void Copy(TDC& dc, TBitmap& bitmap, int x, int y, int w, int h, int sx, int sy, Rop rop = Rop::SrcCopy) {
  TMemoryDC memory(dc);
  memory.SelectObject(bitmap);
  dc.BitBlt(x, y, w, h, memory, sx, sy, rop);
}
}  // namespace

FishingScene::FishingScene(TWindow& window)
    : window_(window),
      scene_(70),
      float_(71),
      lure_(72),
      lureMask_(73),
      cast_(74),
      castMask_(75),
      strike_(76),
      strikeMask_(77) {
  for (int id : kFightPictureIds) fights_.push_back({id, TBitmap(id)});
}

void FishingScene::PaintScene(TDC& dc) {
  Copy(dc, scene_, kSceneX, kSceneY, scene_.Width(), scene_.Height(), 0, 0);
}

void FishingScene::FloatStrip(TDC& dc) {
  Copy(dc, scene_, kFloatX, kSceneY, kFloatWidth, kFloatTravel, kRepairColumn, 0);
}

void FishingScene::PaintFloat(TDC& dc, int depth) {
  const int d = ClampedDepth(depth);
  FloatStrip(dc);
  Copy(dc, float_, kFloatX, kSceneY + d, kFloatWidth, kFloatTravel - d, 0, 0);
}

void FishingScene::Sprite(TDC& dc, TBitmap& picture, TBitmap& mask, int x, int y, int w, int h) {
  // The mask's white keeps the scene, its black lets the picture through.
  Copy(dc, mask, x, y, w, h, 0, 0, Rop::SrcAnd);
  Copy(dc, picture, x, y, w, h, 0, 0, Rop::SrcPaint);
}

void FishingScene::Float(int depth) {
  TClientDC dc(window_);
  PaintFloat(dc, depth);
}

void FishingScene::CastPicture() {
  TClientDC dc(window_);
  Sprite(dc, cast_, castMask_, kCastX, kSceneY, kSpriteSize, kSpriteSize);
}

void FishingScene::CastDone() {
  TClientDC dc(window_);
  Copy(dc, scene_, kCastX, kSceneY, kSpriteSize, kSpriteSize, kCastX - kSceneX, 0);
  PaintFloat(dc, 0);
}

void FishingScene::LurePicture(int bait) {
  const int d = ClampedDepth(bait);
  TClientDC dc(window_);
  FloatStrip(dc);
  Sprite(dc, lure_, lureMask_, kLureX, kSceneY + d, kLureWidth, kFloatTravel - d);
}

void FishingScene::LureDone(int bait) {
  const int d = ClampedDepth(bait);
  TClientDC dc(window_);
  Copy(dc, scene_, kLureX, kSceneY, kLureWidth, kFloatTravel, kRepairColumn, 0);
  Copy(dc, float_, kFloatX, kSceneY + d, kFloatWidth, kFloatTravel - d, 0, 0);
}

void FishingScene::StrikePicture() {
  TClientDC dc(window_);
  FloatStrip(dc);
  Sprite(dc, strike_, strikeMask_, kStrikeX, kSceneY, kSpriteSize, kSpriteSize);
}

void FishingScene::StrikeDone() {
  TClientDC dc(window_);
  Copy(dc, scene_, kStrikeX, kSceneY, kSpriteSize, kSpriteSize, kStrikeX - kSceneX, 0);
}

void FishingScene::FightPicture(int bitmapId) {
  for (FightPictureBitmap& picture : fights_) {
    if (picture.id != bitmapId) continue;
    TClientDC dc(window_);
    Copy(dc, picture.bitmap, kSceneX, kSceneY, picture.bitmap.Width(), picture.bitmap.Height(), 0, 0);
    return;
  }
}

void FishingScene::WholeScene() {
  TClientDC dc(window_);
  PaintScene(dc);
}
