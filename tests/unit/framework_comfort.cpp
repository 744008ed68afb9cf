// Keys, focus, dragging, flashing and z-order of dialogs, as a player of the classic desktop meets them.
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Look.h"
#include "framework/MessageBox.h"
#include "tests/unit/DesktopFixture.h"

namespace {
constexpr int kAboutTemplate = 1;    // About: caption, icon, texts, one OK button
constexpr int kFishingTemplate = 7;  // five plain push buttons 111..115, none the default

class TScreen : public TWindow {
 public:
  TScreen() : TWindow(nullptr, "screen") { SetClientSize({600, 443}); }
};

// Records every command; Esc (IDCANCEL) ends it.
class TButtonLog : public TDialog {
 public:
  TButtonLog(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
  bool Dispatch(const Message& m) override {
    if (m.kind == Msg::Command && m.id != IDCANCEL) {
      commands.push_back(m.id);
      return true;
    }
    return TDialog::Dispatch(m);
  }
  std::vector<int> commands;
};

InputEvent Mouse(InputEvent::Kind kind, TPoint p) {
  InputEvent e;
  e.kind = kind;
  e.point = p;
  return e;
}

class ComfortTest : public DesktopTest {
 protected:
  ComfortTest() { screen_.Create(); }
  template <class F>
  void ThenCheck(F check) {
    Then([check](HeadlessPlatform&) -> std::optional<InputEvent> {
      check();
      return std::nullopt;
    });
  }
  TScreen screen_;
};
}  // namespace

TEST_F(ComfortTest, KeysPressTheButtonsAPlayerExpects) {
  struct Case {
    const char* what;
    int templateId;
    std::vector<InputEvent> keys;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {"Enter in a fresh fishing dialog presses its first button", kFishingTemplate, {KeyDown(Key::Enter)}, {111}},
      {"Space too", kFishingTemplate, {KeyDown(Key::Space)}, {111}},
      {"Alt+Space presses nothing", kFishingTemplate, {KeyDown(Key::Space, 0, true)}, {}},
      {"Alt+Enter presses nothing", kFishingTemplate, {KeyDown(Key::Enter, 0, true)}, {}},
      {"Tab moves the focus on", kFishingTemplate, {KeyDown(Key::Tab), KeyDown(Key::Enter)}, {112}},
      {"About starts on its OK", kAboutTemplate, {KeyDown(Key::Enter)}, {IDOK}},
      {"a letter no button underlines does nothing", kAboutTemplate, {KeyDown(Key::Letter, 'y')}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TButtonLog dialog(&screen_, c.templateId);
    for (const InputEvent& e : c.keys) ThenEvent(e);
    ThenEvent(KeyDown(Key::Escape));
    dialog.Execute();
    EXPECT_EQ(dialog.commands, c.commands);
  }
}

TEST_F(ComfortTest, MessageBoxesShowTheirKeysAndYAndNAnswerThem) {
  struct Case {
    unsigned style;
    std::vector<InputEvent> keys;
    int answer;
  };
  const Case cases[] = {
      {MB_YESNO, {KeyDown(Key::Letter, 'y')}, IDYES},
      {MB_YESNO, {KeyDown(Key::Letter, 'n')}, IDNO},
      {MB_YESNOCANCEL, {KeyDown(Key::Letter, 'n', true)}, IDNO},
      {MB_YESNOCANCEL, {KeyDown(Key::Space, 0, true), KeyDown(Key::Escape)}, IDCANCEL},
      {MB_YESNO, {KeyDown(Key::Space, 0, true), KeyDown(Key::Letter, 'x'), KeyDown(Key::Enter)}, IDYES},
  };
  for (const Case& c : cases) {
    std::vector<std::string> labels;
    ThenCheck([&] {
      for (const Control& b : dynamic_cast<TDialog*>(Desktop::Get().TopmostMessageBox())->Controls())
        labels.push_back(b.text);
    });
    for (const InputEvent& e : c.keys) ThenEvent(e);
    EXPECT_EQ(MessageBox(&screen_, "q", "c", c.style), c.answer) << c.style;
    std::vector<std::string> want{"はい(&Y)", "いいえ(&N)"};
    if (c.style == MB_YESNOCANCEL) want.push_back("キャンセル");
    EXPECT_EQ(labels, want);
  }
  EXPECT_EQ(look::Mnemonic("いいえ(&N)"), 'n');
  EXPECT_EQ(look::Mnemonic("キャンセル"), 0);
}

TEST_F(ComfortTest, EachMessageBoxStyleDrawsItsCloseBoxAndAClickOnItAnswers) {
  struct Case {
    unsigned style;
    bool closes;  // a black cross, and a click on it answers; else a grey cross that does nothing
    int answer;   // of a click on the close box, then Y
  };
  const Case cases[] = {
      {MB_OK, true, IDOK},
      {MB_YESNO, false, IDYES},
      {MB_YESNOCANCEL, true, IDCANCEL},
      {MB_YESNOCANCEL | MB_ICONQUESTION, true, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    steps_.clear();
    int black = 0, grey = 0;
    TPoint closeBox;
    ThenCheck([&] {
      const TRect outer = Desktop::Get().TopmostMessageBox()->ScreenOuterRect();
      const TRect bar{outer.left + metrics::kBorder, outer.top + metrics::kBorder, outer.right - metrics::kBorder,
                      outer.top + metrics::kBorder + metrics::kCaption - 1};
      const TRect box = look::CloseBoxRect(bar);
      closeBox = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
      const Surface screen = Desktop::Get().Compose();
      // Inside the button's edges: only the cross.
      for (int y = box.top + 2; y < box.bottom - 2; ++y)
        for (int x = box.left + 2; x < box.right - 2; ++x) {
          black += screen.Pixel(x, y) == kBlack;
          grey += screen.Pixel(x, y) == look::kGreyText;
        }
    });
    Then([&](HeadlessPlatform& p) -> std::optional<InputEvent> {
      p.Queue(Mouse(InputEvent::Kind::MouseUp, closeBox));
      return Mouse(InputEvent::Kind::MouseDown, closeBox);
    });
    ThenEvent(KeyDown(Key::Letter, 'y'));
    EXPECT_EQ(MessageBox(&screen_, "q", "c", c.style), c.answer);
    EXPECT_GE(c.closes ? black : grey, 7) << "the cross";
    EXPECT_EQ(c.closes ? grey : black, 0);
  }
}

TEST_F(ComfortTest, ADraggedDialogKeepsAGripOfItsCaptionOnTheScreen) {
  // Outer size of About: 202 × 175 pixels.
  struct Case {
    TPoint dropAt;  // where the caption point grabbed at (+20, +10) is let go
    TRect expected;
  };
  const Case cases[] = {
      {{300, 900}, TRect::FromSize(280, 443 - 21, 202, 175)},   // below the bottom: the caption stays
      {{300, -50}, TRect::FromSize(280, 0, 202, 175)},          // above the top
      {{-400, 200}, TRect::FromSize(48 - 202, 190, 202, 175)},  // off the left: its right end stays
      {{900, 200}, TRect::FromSize(600 - 48, 190, 202, 175)},   // off the right: its left end stays
      {{120, 110}, TRect::FromSize(100, 100, 202, 175)},        // inside: where it was dropped
  };
  for (const Case& c : cases) {
    TDialog about(&screen_, kAboutTemplate);
    TRect after;
    ThenCheck([&] {
      const TPoint grab{about.ScreenOuterRect().left + 20, about.ScreenOuterRect().top + 10};
      ThenEvent(Mouse(InputEvent::Kind::MouseDown, grab));
      ThenEvent(Mouse(InputEvent::Kind::MouseMove, c.dropAt));
      ThenEvent(Mouse(InputEvent::Kind::MouseUp, c.dropAt));
      ThenCheck([&] { after = about.ScreenOuterRect(); });
      ThenEvent(KeyDown(Key::Escape));
    });
    about.Execute();
    EXPECT_EQ(after, c.expected) << c.dropAt.x << "," << c.dropAt.y;
  }
}

TEST_F(ComfortTest, AClickBesideAModalDialogFlashesItsCaption) {
  TDialog about(&screen_, kAboutTemplate);
  std::vector<bool> flashed;
  TColor captionAtStart = 0, captionFlashed = 0;
  auto sample = [&] { flashed.push_back(Desktop::Get().CaptionFlashedOver(&about)); };
  auto captionPixel = [&] {
    const TRect r = about.ScreenOuterRect();
    return Desktop::Get().Compose().Pixel(r.left + 8, r.top + 6);
  };
  ThenCheck([&] { captionAtStart = captionPixel(); });
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    const TRect r = about.ScreenOuterRect();
    return Mouse(InputEvent::Kind::MouseDown, {r.left + 30, r.bottom - 10});
  });
  ThenCheck(sample);  // a click inside the dialog does not flash
  ThenEvent(Mouse(InputEvent::Kind::MouseDown, {5, 5}));
  ThenCheck([&] { captionFlashed = captionPixel(); });
  for (int i = 0; i < 8; ++i) {
    ThenWait(i == 0 ? 35 : 70);
    ThenCheck(sample);
  }
  ThenEvent(KeyDown(Key::Escape));
  about.Execute();
  EXPECT_EQ(flashed, (std::vector<bool>{false, true, false, true, false, true, false, false, false}));
  EXPECT_EQ(captionAtStart, look::kActiveCaption);
  EXPECT_EQ(captionFlashed, look::kInactiveCaption);
}

// Alt+F4 goes to the window in front, as its close box; the window manager's close request names
// the main window, and under a modal dialog it is a click beside that dialog.
TEST_F(ComfortTest, AltF4AndTheWindowManagersCloseActOnTheWindowInFront) {
  struct Case {
    const char* what;
    unsigned boxStyle;  // 0: About
    InputEvent input;
    bool frontCloses;
    bool flashes;
  };
  InputEvent wmClose;
  wmClose.kind = InputEvent::Kind::Close;
  const Case cases[] = {
      {"Alt+F4 in About", 0, KeyDown(Key::F4, 0, true), true, false},
      {"F4 without Alt in About", 0, KeyDown(Key::F4), false, false},
      {"the window manager's close under About", 0, wmClose, false, true},
      {"Alt+F4 in an OK box", MB_OK, KeyDown(Key::F4, 0, true), true, false},
      {"Alt+F4 in a Yes/No/Cancel box", MB_YESNOCANCEL, KeyDown(Key::F4, 0, true), true, false},
      {"Alt+F4 in a Yes/No box (no close box)", MB_YESNO, KeyDown(Key::F4, 0, true), false, false},
      {"the window manager's close under a Yes/No box", MB_YESNO, wmClose, false, true},
  };
  Desktop::Get().SetMainWindow(&screen_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool frontOpen = false, flashing = false;
    auto front = [] { return Desktop::Get().TopLevels().back(); };
    ThenEvent(c.input);
    ThenCheck([&] {
      frontOpen = front() != &screen_;
      flashing = Desktop::Get().CaptionFlashedOver(front());
    });
    // What is left of the steps once the window in front has closed runs against the screen.
    if (c.boxStyle == 0) {
      TDialog about(&screen_, kAboutTemplate);
      ThenEvent(KeyDown(Key::Escape));
      about.Execute();
    } else {
      ThenAnswer((c.boxStyle & 0xF) == MB_YESNO ? IDNO : IDCANCEL);
      MessageBox(&screen_, "text", "box", c.boxStyle);
    }
    ThenWait(500);  // the flash runs out
    RunSteps();
    EXPECT_EQ(!frontOpen, c.frontCloses);
    EXPECT_EQ(flashing, c.flashes);
    EXPECT_TRUE(screen_.IsCreated());
  }
}
