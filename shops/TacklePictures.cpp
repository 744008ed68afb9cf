#include "shops/TacklePictures.h"

#include "state/Catalog.h"

namespace {
struct CategoryPictures {
  int ofItemOne;  // the picture of item n is ofItemOne + 1 - n
  int blank;
};
constexpr CategoryPictures kPictures[kEquippableCategories + 1] = {
    {0, 0}, {5, 11} /* rod */, {10, 11} /* float */, {14, 12} /* hook */, {17, 12} /* line */, {22, 15} /* bait */,
};
constexpr int kFirstOtherGear = 61, kOtherGearPictureOfFirst = 23, kOtherGearCount = 3;
}  // namespace

int BlankSlotPicture(int category) {
  return category >= 1 && category <= kEquippableCategories ? kPictures[category].blank : 0;
}

int ItemPicture(int category, int n) {
  if (CatalogIndexOfItem(category, n) < 0) return BlankSlotPicture(category);
  return kPictures[category].ofItemOne + 1 - n;
}

int OtherGearPicture(int catalogIndex) {
  const int position = catalogIndex - kFirstOtherGear;
  return position >= 0 && position < kOtherGearCount ? kOtherGearPictureOfFirst + position : 0;
}
