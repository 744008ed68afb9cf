#include <string>
#include <string_view>
#include <vector>

#include "app/HelpText.h"
#include "app/HelpWindow.h"
#include "framework/Dialog.h"
#include "framework/Frame.h"
#include "framework/Look.h"
#include "tests/unit/DesktopFixture.h"

namespace {
constexpr int kPrevious = 201, kNext = 202;

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    lines.push_back(text.substr(0, nl));
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return lines;
}

bool IsHeading(std::string_view line) { return line.substr(0, 2) == "■"; }

class HelpTest : public DesktopTest {
 protected:
  HelpTest() : frame_(nullptr, "frame", &map_), bar_(&frame_) {
    frame_.AssignMenu("IDM_MENU1");
    frame_.Insert(bar_, TDecoratedFrame::Location::Bottom);
    frame_.Create();
  }
  TDialog* Help() {
    for (TWindow* w : Desktop::Get().TopLevels())
      if (w->Title() == "ゲームあそび方") return dynamic_cast<TDialog*>(w);
    return nullptr;
  }
  TWindow map_;
  TDecoratedFrame frame_;
  TStatusBar bar_;
};
}  // namespace

TEST(HelpPages, BreakAtHeadingsAndNeverAfterOne) {
  struct Case {
    const char* what;
    std::vector<std::string_view> lines;
    int perPage;
    std::vector<int> starts;
  };
  const Case cases[] = {
      {"sections that fit share a page", {"■a", "1", "■b", "2"}, 5, {0}},
      {"a section that would not fit starts the next page", {"■a", "1", "2", "■b", "3", "4"}, 5, {0, 3}},
      {"a heading with one line left goes over", {"■a", "1", "2", "3", "■b", "4"}, 5, {0, 4}},
      {"a section longer than a page breaks inside it", {"■a", "1", "2", "3", "4", "5", "6"}, 5, {0, 5}},
      {"a long section after a short one starts a page", {"■a", "1", "■b", "2", "3", "4", "5", "6"}, 5, {0, 2, 7}},
  };
  for (const Case& c : cases) EXPECT_EQ(HelpPageStarts(c.lines, c.perPage), c.starts) << c.what;

  const std::vector<std::string_view> help = Lines(HelpText());
  for (int perPage : {8, 12, 18}) {
    const std::vector<int> starts = HelpPageStarts(help, perPage);
    for (std::size_t p = 0; p < starts.size(); ++p) {
      const int end = p + 1 < starts.size() ? starts[p + 1] : static_cast<int>(help.size());
      EXPECT_LE(end - starts[p], perPage);
      EXPECT_FALSE(IsHeading(help[static_cast<std::size_t>(end - 1)])) << "page " << p << " ends with a heading";
      // A page starts at a heading, unless the one before is full (a long section goes on).
      if (p > 0 && starts[p] - starts[p - 1] < perPage) {
        EXPECT_TRUE(IsHeading(help[static_cast<std::size_t>(starts[p])]));
      }
    }
  }
}

TEST(HelpText, TellsWhenToStrikeOnADipAndOnARise) {
  const std::string_view text = HelpText();
  for (const char* words : {"■あわせ方", "沈んでいる間に", "上がる間に", "二度目の深い沈み", "空振り", "竿"})
    EXPECT_NE(text.find(words), std::string_view::npos) << words;
}

TEST_F(HelpTest, OpensWhereItHidesLessOfTheMapAndStaysAboveIt) {
  const TRect mapRect = map_.ScreenClientRect();
  auto hidden = [&](const TRect& r) {
    const TRect h = r.Intersect(mapRect);
    return h.IsEmpty() ? 0 : h.Width() * h.Height();
  };
  TRect placed;
  std::vector<bool> previous, next;
  bool aboveAfterClick = false;
  auto sample = [&](HeadlessPlatform&) -> std::optional<InputEvent> {
    previous.push_back(Help()->FindControl(kPrevious)->enabled);
    next.push_back(Help()->FindControl(kNext)->enabled);
    return std::nullopt;
  };
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    ShowHelp(&map_);
    placed = Help()->ScreenOuterRect();
    return std::nullopt;
  });
  Then(sample);
  for (Key key : {Key::PageDown, Key::PageDown, Key::PageUp, Key::PageUp}) {
    InputEvent e;
    e.kind = InputEvent::Kind::KeyDown;
    e.key = key;
    ThenEvent(e);
    Then(sample);
  }
  InputEvent click;
  click.kind = InputEvent::Kind::MouseDown;
  click.point = {mapRect.left + 5, mapRect.top + 5};  // the map, beside the help
  ThenEvent(click);
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    aboveAfterClick = Desktop::Get().TopLevels().back() == Help();
    return std::nullopt;
  });
  RunSteps();
  const TRect centred = TRect::FromSize((600 - placed.Width()) / 2, (443 - placed.Height()) / 2, placed.Width(),
                                        placed.Height());
  EXPECT_LT(hidden(placed), hidden(centred));
  for (int y = 0; y + placed.Height() <= 443; ++y)
    EXPECT_LE(hidden(placed), hidden(TRect::FromSize(placed.left, y, placed.Width(), placed.Height()))) << y;
  EXPECT_EQ((TRect{0, 0, 600, 443}.Intersect(placed)), placed) << "off the screen";
  EXPECT_FALSE(placed.Contains({mapRect.left + 5, mapRect.top + 5}));
  EXPECT_EQ(previous, (std::vector<bool>{false, true, true, true, false}));
  EXPECT_EQ(next, (std::vector<bool>{true, true, true, true, true}));
  EXPECT_TRUE(aboveAfterClick);
}

TEST_F(HelpTest, OnTheLastPageOnlyTheNextPageButtonIsGreyed) {
  struct Shown {
    int page;
    bool previousGrey, nextGrey;
  };
  std::vector<Shown> shown;
  // Whether a button's label is drawn grey (and no letter of it black), or black.
  auto grey = [&](const Surface& screen, int id) {
    const TRect r = Help()->FindControl(id)->rect;
    const TPoint o = Help()->ClientOrigin();
    int black = 0, greyed = 0;
    for (int y = r.top + 3; y < r.bottom - 3; ++y)
      for (int x = r.left + 3; x < r.right - 3; ++x) {
        black += screen.Pixel(o.x + x, o.y + y) == kBlack;
        greyed += screen.Pixel(o.x + x, o.y + y) == look::kGreyText;
      }
    EXPECT_NE(black > 0, greyed > 0) << "button " << id;
    return greyed > 0;
  };
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    ShowHelp(&map_);
    return std::nullopt;
  });
  for (int page = 0; page < 12; ++page) {
    Then([&, page](HeadlessPlatform&) -> std::optional<InputEvent> {
      Desktop::Get().PaintAll();
      const Surface screen = Desktop::Get().Compose();
      shown.push_back({page, grey(screen, kPrevious), grey(screen, kNext)});
      InputEvent e;
      e.kind = InputEvent::Kind::KeyDown;
      e.key = Key::PageDown;
      return e;
    });
  }
  RunSteps();
  const int last = static_cast<int>(HelpPageStarts(Lines(HelpText()), 12).size()) - 1;  // twelve lines a page
  ASSERT_LT(last, 11) << "the walk must reach the last page";
  for (const Shown& s : shown) {
    SCOPED_TRACE(s.page);
    EXPECT_EQ(s.previousGrey, s.page == 0);
    EXPECT_EQ(s.nextGrey, s.page >= last);
  }
}
