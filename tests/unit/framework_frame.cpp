#include <vector>

#include "framework/Frame.h"
#include "framework/Look.h"
#include "framework/PopupMenu.h"
#include "tests/unit/DesktopFixture.h"

namespace {
// A client window that records the commands it receives.
class TCommandLog : public TWindow {
 public:
  bool Dispatch(const Message& m) override {
    if (m.kind != Msg::Command) return false;
    commands.push_back(m.id);
    return true;
  }
  std::vector<int> commands;
};

class FrameTest : public DesktopTest {
 protected:
  FrameTest() : frame_(nullptr, "frame", &client_), bar_(&frame_) {
    frame_.AssignMenu("IDM_MENU1");
    frame_.Insert(bar_, TDecoratedFrame::Location::Bottom);
    frame_.Create();
  }
  InputEvent ScreenClick(TPoint p) {
    InputEvent e;
    e.kind = InputEvent::Kind::MouseDown;
    e.point = p;
    return e;
  }
  TCommandLog client_;
  TDecoratedFrame frame_;
  TStatusBar bar_;
};
}  // namespace

TEST_F(FrameTest, TheClientFillsTheSpaceBetweenMenuBarAndStatusBar) {
  EXPECT_EQ(client_.ScreenClientRect(), (TRect{0, 19, 600, 419}));
  EXPECT_EQ(bar_.ScreenClientRect(), (TRect{0, 419, 600, 443}));
}

TEST_F(FrameTest, AltAndMnemonicsChooseMenuCommands) {
  ThenEvent(KeyDown(Key::Letter, 'f', true));  // opens ﾌｧｲﾙ(&F)
  ThenEvent(KeyDown(Key::Letter, 's'));        // 今日は終わる(&S)
  ThenEvent(KeyDown(Key::Letter, 'h', true));  // ﾍﾙﾌﾟ(&H), its first item lit
  ThenEvent(KeyDown(Key::Down));               // over the separator to バージョン(&A)
  ThenEvent(KeyDown(Key::Enter));
  ThenEvent(KeyDown(Key::Letter, 'f', true));
  ThenEvent(KeyDown(Key::Escape));             // dismissed: no command
  RunSteps();
  EXPECT_EQ(client_.commands, (std::vector<int>{55534, 55543}));
}

TEST_F(FrameTest, ClicksOpenAPopupAndChooseAnItem) {
  TRect file = frame_.MenuTitleRect(0);
  ThenEvent(ScreenClick({file.left + 3, 5}));
  // The first item of the popup, just under the title.
  ThenEvent(ScreenClick({file.left + 20, file.bottom + 12}));
  ThenEvent(ScreenClick({file.left + 3, 5}));
  ThenEvent(ScreenClick({400, 300}));  // outside: dismissed
  ThenEvent(ScreenClick({400, 300}));  // now a click on the client window
  RunSteps();
  EXPECT_EQ(client_.commands, (std::vector<int>{55530}));
}

namespace {
InputEvent Pointer(InputEvent::Kind kind, TPoint p) {
  InputEvent e;
  e.kind = kind;
  e.point = p;
  return e;
}
InputEvent Press(Key key, InputEvent::Kind kind = InputEvent::Kind::KeyDown) {
  InputEvent e;
  e.kind = kind;
  e.key = key;
  return e;
}
}  // namespace

TEST_F(FrameTest, TheMenuBarFollowsThePointerAndTheKeyboard) {
  frame_.SetHelpCommand(55542);
  const TRect file = frame_.MenuTitleRect(0), help = frame_.MenuTitleRect(1);
  // Items of the popups, a little inside: ﾌｧｲﾙ's second, ﾍﾙﾌﾟ's バージョン below the separator.
  const TPoint fileSecond{file.left + 20, file.bottom + 34};
  const TPoint helpAbout{help.left + 20, help.bottom + 42};
  const TPoint fileTitle{file.left + 3, 5}, helpTitle{help.left + 3, 5};
  using K = InputEvent::Kind;
  const InputEvent altDown = Press(Key::Alt), altUp = Press(Key::Alt, K::KeyUp);
  struct Case {
    const char* what;
    std::vector<InputEvent> events;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"press, drag, release on an item",
       {Pointer(K::MouseDown, fileTitle), Pointer(K::MouseMove, fileSecond), Pointer(K::MouseUp, fileSecond)},
       {55534}},
      {"press, drag onto the other title, release on its item",
       {Pointer(K::MouseDown, fileTitle), Pointer(K::MouseMove, helpTitle), Pointer(K::MouseMove, helpAbout),
        Pointer(K::MouseUp, helpAbout)},
       {55543}},
      {"click a title, move onto the other, click its item",
       {Pointer(K::MouseDown, fileTitle), Pointer(K::MouseUp, fileTitle), Pointer(K::MouseMove, helpTitle),
        Pointer(K::MouseDown, helpAbout)},
       {55543}},
      {"release off the menu after a drag closes it",
       {Pointer(K::MouseDown, fileTitle), Pointer(K::MouseMove, {400, 300}), Pointer(K::MouseUp, {400, 300}),
        Press(Key::Enter)},
       {}},
      {"the item under the pointer is the one Enter chooses",
       {Pointer(K::MouseDown, fileTitle), Pointer(K::MouseUp, fileTitle), Pointer(K::MouseMove, fileSecond),
        Press(Key::Enter)},
       {55534}},
      {"Alt alone, then Enter opens ﾌｧｲﾙ at its first item", {altDown, altUp, Press(Key::Enter), Press(Key::Enter)},
       {55530}},
      {"Alt alone, Right, Down: ﾍﾙﾌﾟ's first item", {altDown, altUp, Press(Key::Right), Press(Key::Down),
                                                   Press(Key::Enter)}, {55542}},
      {"F10 selects the bar, a letter opens its title", {Press(Key::F10), KeyDown(Key::Letter, 'h'),
                                                         Press(Key::Down), Press(Key::Enter)}, {55543}},
      {"Alt with another key between is no menu key", {altDown, KeyDown(Key::Letter, 'q', true), altUp,
                                                       Press(Key::Enter), Press(Key::Enter)}, {}},
      {"Alt alone twice leaves the bar", {altDown, altUp, altDown, altUp, Press(Key::Enter)}, {}},
      {"F1 asks for the help", {Press(Key::F1)}, {55542}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    client_.commands.clear();
    for (const InputEvent& e : c.events) ThenEvent(e);
    ThenEvent(Press(Key::Escape));  // leaves the bar if a case left it selected
    ThenEvent(Press(Key::Escape));
    RunSteps();
    EXPECT_EQ(client_.commands, c.commands);
    EXPECT_EQ(frame_.SelectedTitle(), -1);
  }
}

TEST_F(FrameTest, TheTitleUnderThePointerIsLitAndTheBarSelectionShows) {
  const TRect help = frame_.MenuTitleRect(1);
  std::vector<int> hot, selected;
  auto sample = [&](HeadlessPlatform&) -> std::optional<InputEvent> {
    hot.push_back(frame_.HotTitle());
    selected.push_back(frame_.SelectedTitle());
    return std::nullopt;
  };
  ThenEvent(Pointer(InputEvent::Kind::MouseMove, {help.left + 3, 5}));
  Then(sample);
  ThenEvent(Pointer(InputEvent::Kind::MouseMove, {300, 200}));  // over the client window
  Then(sample);
  ThenEvent(Press(Key::F10));
  Then(sample);
  ThenEvent(Pointer(InputEvent::Kind::MouseDown, {300, 200}));  // a click on the client leaves the bar
  Then(sample);
  ThenEvent(Press(Key::F10));
  Then(sample);
  RunSteps();
  EXPECT_EQ(hot, (std::vector<int>{1, -1, -1, -1, -1}));
  EXPECT_EQ(selected, (std::vector<int>{-1, -1, 0, -1, 0}));
  // The selected title is drawn lit, as an open one.
  frame_.UpdateWindow();
  const TRect file = frame_.MenuTitleRect(0);
  EXPECT_EQ(frame_.ClientSurface().Pixel(file.left + 1, 9), look::kActiveCaption);
}

TEST_F(FrameTest, TheStatusBarShowsItsNewTextAtTheNextPaint) {
  const TRect bar = bar_.ScreenClientRect();
  auto shown = [&] {
    Desktop::Get().PaintAll();
    const Surface screen = Desktop::Get().Compose();
    std::vector<TColor> pixels;
    for (int y = bar.top; y < bar.bottom; ++y)
      for (int x = bar.left; x < bar.right; ++x) pixels.push_back(screen.Pixel(x, y));
    return pixels;
  };
  bar_.SetText("只今の経過日数は0日めです");
  const std::vector<TColor> before = shown();
  bar_.SetText("只今の経過日数は1日めです");
  const std::vector<TColor> after = shown();
  bar_.Invalidate(true);  // what a full repaint of the new text looks like
  const std::vector<TColor> repainted = shown();
  EXPECT_NE(before, repainted);
  EXPECT_EQ(after, repainted);
}
