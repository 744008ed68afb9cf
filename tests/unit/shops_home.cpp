#include "framework/Resources.h"
#include "shops/Home.h"
#include "state/GameState.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/PictureAsserts.h"

namespace {
class HomePaintTest : public DesktopTest {
 protected:
  HomePaintTest() : saved_(gameState) {}
  ~HomePaintTest() override { gameState = saved_; }

  const Surface& PaintHome() {
    home_ = std::make_unique<THome>(nullptr, 2);
    home_->Create();
    home_->UpdateWindow();
    return home_->ClientSurface();
  }
  static void ExpectPictureAt(const Surface& s, int id, int x, int y) { EXPECT_TRUE(PictureAt(s, id, x, y)); }
  GameState saved_;
  std::unique_ptr<THome> home_;
};
}  // namespace

TEST_F(HomePaintTest, EachSlotShowsTheEquippedItemOrItsBlank) {
  const std::uint8_t equipped[7] = {0, 5, 1, 0, 2, 4, 0};  // rod 5, float 1, no hook, line 2, bait 4
  std::copy(std::begin(equipped), std::end(equipped), gameState.equipped);
  const Surface& s = PaintHome();
  ExpectPictureAt(s, 1, 10, 160);    // the phantom rod
  ExpectPictureAt(s, 10, 45, 160);   // float 1
  ExpectPictureAt(s, 12, 77, 178);   // blank hook slot
  ExpectPictureAt(s, 16, 78, 245);   // the phantom line
  ExpectPictureAt(s, 19, 130, 160);  // the phantom bait
}

TEST_F(HomePaintTest, ItemNumbersFromADamagedFileShowTheBlankSlot) {
  const std::uint8_t equipped[7] = {9, 6, 4, 3, 255, 5, 9};
  std::copy(std::begin(equipped), std::end(equipped), gameState.equipped);
  const Surface& s = PaintHome();
  ExpectPictureAt(s, 11, 10, 160);
  ExpectPictureAt(s, 11, 45, 160);
  ExpectPictureAt(s, 12, 77, 178);
  ExpectPictureAt(s, 12, 78, 245);
  ExpectPictureAt(s, 15, 130, 160);
}

TEST_F(HomePaintTest, APrintHangsForEveryMasterFishCaught) {
  const std::uint8_t present[6] = {0, 1, 0, 1, 1, 0};
  std::copy(std::begin(present), std::end(present), gameState.nushiPresent);
  const Surface& s = PaintHome();
  ExpectPictureAt(s, 30, 40, 15);
  ExpectPictureAt(s, 31, 295, 65);   // 扇湖
  ExpectPictureAt(s, 31, 295, 245);  // 三日月湖
  const Surface& house = BitmapResource(29);
  EXPECT_EQ(s.Pixel(295 + 50, 5 + 25), house.Pixel(295 + 50, 5 + 25));  // 丸湖's place stays empty
}
