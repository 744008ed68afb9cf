#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/UiObserver.h"
#include "tests/tools/autoplay/Angler.h"

enum class Place;

// Plays one day of the game, from the start of the program to the save that ends it: looks at the
// game it finds, decides the day's errands as a player bent on the world stage would, then does
// them on whatever window is in front, one script line at a time. Lines besides the play: a
// comment at each errand and a `state` of what it changed.
class Player {
 public:
  explicit Player(int day) : day_(day) {}

  std::string Next();
  // The comment that heads the day's script (UTF-8, one or more "# " lines).
  std::string Heading() const;

 private:
  enum class Errand { Buy, Sell, Fish, SellCatch, Trade, Tournaments, WorldButton, EndDay };
  struct Task {
    Errand what;
    int arg = 0;  // a catalog index, a water, a master
    bool begun = false;
  };
  struct Box {
    std::string text, caption;  // CP932
    unsigned style;
  };
  // Hears the message boxes the program shows (and passes everything on to the runner).
  class BoxWatcher : public UiObserver {
   public:
    void Attach();
    std::vector<Box> open;  // innermost last: boxes nest, and only the player closes them
    void BoxOpened(std::string_view text, std::string_view caption, unsigned style) override;
    void DialogOpened(const TWindow& dialog) override { next_->DialogOpened(dialog); }
    void DialogClosed(const TWindow& dialog) override { next_->DialogClosed(dialog); }
    void StatusTextSet(std::string_view text) override { next_->StatusTextSet(text); }
    void TextDrawn(const TWindow& w, int x, int y, std::string_view text) override { next_->TextDrawn(w, x, y, text); }
    bool Tracing() const override { return next_->Tracing(); }
    void TraceLine(std::string_view line) override { next_->TraceLine(line); }

   private:
    UiObserver* next_ = nullptr;
  };

  void PlanDay();
  void Add(Errand what, int arg = 0) { tasks_.push_back({what, arg}); }
  std::string Answer(const Box& box);
  std::string OnMap();
  std::string InShop();
  std::string InSalesCorner();
  std::string InTournamentHouse();
  std::string Begin(Task& task);
  void Finished(const Task& task);
  std::string Click(int x, int y) const;
  std::string ClickPlace(Place place, int number) const;
  void Say(std::string line) { say_.push_back(std::move(line)); }
  void Comment(const std::string& utf8) { Say("# " + utf8); }

  int day_;
  bool started_ = false;
  bool planned_ = false;
  bool shopping_ = false;          // in or just back from the tackle shop
  bool tournamentPlayed_ = false;  // back in the tournament house from a tournament
  BoxWatcher boxes_;
  std::deque<Task> tasks_;
  std::deque<std::string> say_;
  std::unique_ptr<Angler> angler_;
  std::vector<std::string> heading_;  // UTF-8
  int yenWanted_ = 0;  // what the day's catch should fetch, for the next purchase
};
