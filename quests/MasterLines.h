#pragma once

// What one lake master says and gives. Master n (1..5) lives by lake n and is the master of
// tackle category n. Texts are CP932.
struct MasterLines {
  const char* caption;       // of every box he shows
  const char* introduction;  // under the picture of his room
  const char* askSeen;       // have you seen the master fish?
  const char* wish;
  const char* promise;
  const char* askLanded;     // have you landed it?
  const char* askGive;
  const char* thanks;        // the trade
  const char* refusal;       // the player keeps the fish
  const char* after;         // every visit once the fish is his
  int category;              // the tackle category he gives, also his equipped slot
  int itemNumber;            // the legendary item's number in that category
};

// The same for every master.
inline constexpr const char* kGoAndSee = "見てないのなら見てきなさい。";
inline constexpr const char* kPleaseLandIt = "主を釣り上げてきてほしい。";
inline constexpr const char* kEquipQuestion = "この道具を装備しますか？";
inline constexpr const char* kEquipCaption = "買っちゃった";

// Master number 1..5, or nullptr for any other number.
const MasterLines* FindMaster(int number);

// The catalog index of the item a master gives: the legendary item is at position 1.
constexpr int LegendaryItemIndex(const MasterLines& master) { return master.category * 10 + 1; }
