#include <vector>

#include "framework/Frame.h"
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
  InputEvent KeyDown(Key key, char letter = 0, bool alt = false) {
    InputEvent e;
    e.kind = InputEvent::Kind::KeyDown;
    e.key = key;
    e.letter = letter;
    e.alt = alt;
    return e;
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
  ThenEvent(KeyDown(Key::Letter, 'h', true));  // ﾍﾙﾌﾟ(&H)
  ThenEvent(KeyDown(Key::Down));
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
