#include "state/Catalog.h"

#include <cstring>

// Catalog index, price, selling price, then the five display lines with their leading blanks.
constexpr CatalogEntry kTackleCatalog[kCatalogEntryCount] = {
    {11, -1, -1,
     {"   品名：  幻のヘラ竿", "  丸湖の名人で入手", "  売値：売るのはもったいない",
      "  超高級 ２１尺のへら竿", "  どんな大物での折れない"}},
    {12, 30000, 10000,
     {"   品名：カーボンヘラ竿", "  価額：  ￥３０，０００", "  売値：　￥１０，０００",
      "  超高級 １８尺のへら竿", "     堅調子で超軽い"}},
    {13, 10000, 4000,
     {"  品名：グラスヘラ竿", "  価額：￥１０，０００", "  売値：　￥４，０００",
      "  高級 １５尺のへら竿", "         堅調子"}},
    {14, 2000, 500,
     {"  品名：グラス万能竿", "  価額：￥２，０００", "  売値：    ￥５００",
      "  高級 １２尺の万能竿", "         軟調子"}},
    {15, 200, 100,
     {"  品名：生竹", "  価額：￥２００", "  売値：￥１００",
      "     ９尺のながさ", "     物干しに最適"}},
    {21, -1, -1,
     {"  品名：幻のへら浮き", "  扇湖の名人で入手", "  売値：売るのはもったいない",
      "       超高級", "  どんな当たりでのわかる"}},
    {22, 10000, 3000,
     {"  品名：高級へら浮き", "  価額：￥１０，０００", "  売値：  ￥３，０００",
      "  超高級 クジャク羽製浮き", "  超敏感で浮力も強い"}},
    {23, 1000, 400,
     {"   品名：   へら浮き", "   価額：￥１，０００", " 　売値：　　￥４００",
      "   超高級 塩ビ製浮き", "   敏感はままで浮力もまま"}},
    {31, -1, -1,
     {"   品名：幻の針", "  三角湖の名人で入手", "       超高級",
      "  どんな魚でもかかる", "  　　　　　　　　　"}},
    {32, 500, 100,
     {"   品名：   スレバリ", "   価額：￥５００", "   売値：　￥１００",
      "   ８号 高級ヘラ釣り用針", "   針の鋭さはいい"}},
    {41, -1, -1,
     {"   品名：幻のライン", "  出島湖の名人で入手", "       超高級",
      "  どんな魚でも切れない", "  　　　　　　　　　"}},
    {42, 500, 100,
     {"     品名：高級ライン", "     価額：￥５００", "     売値：￥１００",
      "     １．２号 ", "     切れにくい"}},
    {51, -1, -1,
     {"   品名：幻の餌", "  三日月の名人で入手", "       超高級",
      "  どんな魚でも食っちゃう", "  　　　　　　　　　"}},
    {52, 2000, 200,
     {"     品名：へら用餌", "     価額：￥２，０００", "     売値：　  ￥２００",
      " ばらけがよく練り方により", " ねばりも出てくる"}},
    {53, 1000, 100,
     {"     品名：マッシュポテト", "     価額：￥１，０００", "     売値：　  ￥１００",
      "     ばらけがよい", "     もっとも一般的な餌"}},
    {54, 300, 30,
     {"     品名：メリケンコ", "     価額：￥３００", "     売値：　￥３０",
      "  これでも釣れる時がある", "  お好み焼きでつかよう"}},
    {61, 2000, 400,
     {"     品名：竿かけ", "     価額：￥２，０００", "     売値：　　￥４００",
      "竿をずっと持たなくてよいので", "腕が疲れない"}},
    {62, 1000, 200,
     {"     品名：釣り具箱", "     価額：￥１，０００", " 　  売値：　　￥２００",
      "  針・糸など入れるケース", " "}},
    {63, 1500, 400,
     {"     品名：玉網", "     価額：￥１，５００", "  　 売値：　　￥４００",
      "これが無いと大物は上がらない", ""}},
};

namespace {

consteval bool CatalogFits() {
  for (const CatalogEntry& entry : kTackleCatalog) {
    if (entry.index < 0 || entry.index >= kCatalogSlots) return false;
    for (std::string_view line : entry.lines)
      if (line.size() >= static_cast<size_t>(kItemLineBytes)) return false;
  }
  return true;
}
static_assert(CatalogFits(), "every entry needs a catalog slot and every line room for its NUL");

}  // namespace

void InitTackleCatalog() {
  for (const CatalogEntry& entry : kTackleCatalog) {
    TackleItem& item = gameState.items[entry.index];
    item.owned = 0;
    for (int i = 0; i < kItemLineCount; ++i) {
      // The whole field is written so that no stale text survives behind the NUL.
      std::memset(item.lines[i], 0, kItemLineBytes);
      std::memcpy(item.lines[i], entry.lines[i].data(), entry.lines[i].size());
    }
    item.price = entry.price;
    item.sellPrice = entry.sellPrice;
  }
}

namespace {
constexpr int kItemCounts[kEquippableCategories + 1] = {0, 5, 3, 2, 2, 4};
}  // namespace

int ItemCount(int category) {
  return category >= 1 && category <= kEquippableCategories ? kItemCounts[category] : 0;
}

int CatalogIndexOfItem(int category, int n) {
  const int count = ItemCount(category);
  // The legendary item (highest number) is at position 1; the cheapest at the highest position.
  return n >= 1 && n <= count ? category * 10 + count + 1 - n : -1;
}
