#pragma once
#include <vector>

#include "framework/Bitmap.h"

class TDC;
class TWindow;

// The pictures of the fishing dialog and every occasion they are drawn on. The scene (bitmap 70)
// sits at (50,10) in the dialog's client area; the float moves in the 8-pixel strip at x 182.
// Everything but the paint draws straight onto the client area.
class FishingScene {
 public:
  explicit FishingScene(TWindow& window);  // loads the sixteen bitmaps

  // Paint: the whole scene picture, and the float when a line is out.
  void PaintScene(TDC& dc);
  void PaintFloat(TDC& dc, int depth);

  void Float(int depth);  // depth 0 is fully up; drawn clamped to 0..96
  void CastPicture();
  void CastDone();  // the scene piece under the cast picture, and the float at the surface
  void LurePicture(int bait);
  void LureDone(int bait);
  void StrikePicture();  // also the lift's
  void StrikeDone();     // a missed strike or a finished lift
  void FightPicture(int bitmapId);
  void WholeScene();  // after a landing or an escape

 private:
  struct FightPictureBitmap {
    int id;
    TBitmap bitmap;
  };
  void Sprite(TDC& dc, TBitmap& picture, TBitmap& mask, int x, int y, int w, int h);
  void FloatStrip(TDC& dc);

  TWindow& window_;
  std::vector<FightPictureBitmap> fights_;
  TBitmap scene_;
  TBitmap float_;
  TBitmap lure_, lureMask_;
  TBitmap cast_, castMask_;
  TBitmap strike_, strikeMask_;
};
