#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "framework/Look.h"
#include "framework/MessageBox.h"
#include "framework/UiObserver.h"
#include "tests/unit/DesktopFixture.h"

namespace {
constexpr int kToolTemplate = 3;  // caption and one OK button (id 1, the default)

// A window that records the area of every paint.
class TCanvas : public TWindow {
 public:
  TCanvas() : TWindow(nullptr, "canvas") { SetClientSize({600, 443}); }
  void Paint(TDC& dc, bool, const TRect& rect) override {
    painted.push_back(rect);
    dc.FillRect({0, 0, 600, 443}, Rgb(1, 2, 3));
  }
  std::vector<TRect> painted;
};

class TRecorder : public UiObserver {
 public:
  void BoxOpened(std::string_view text, std::string_view, unsigned) override {
    events.push_back("box " + std::string(text));
  }
  void DialogOpened(const TWindow& d) override { events.push_back("open " + d.Title()); }
  void DialogClosed(const TWindow& d) override { events.push_back("closed " + d.Title()); }
  void TextDrawn(const TWindow&, int x, int y, std::string_view text) override {
    events.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + std::string(text));
  }
  std::vector<std::string> events;
};

// Asks three questions from its first timer tick.
class TAsker : public TDialog {
 public:
  explicit TAsker(TWindow* parent) : TDialog(parent, kToolTemplate) {}
  DECLARE_RESPONSE_TABLE(TAsker);
  void EvTimer(int) {
    KillTimer(1);
    answers[0] = MessageBox("q1", "c", MB_YESNO);
    answers[1] = MessageBox("q2", "c", MB_YESNOCANCEL | MB_ICONQUESTION);
    answers[2] = MessageBox("q3", "c", MB_OK);
  }
  int answers[3] = {};
};
DEFINE_RESPONSE_TABLE(TAsker, TDialog, RT::Timer(&TAsker::EvTimer))

class TTicking : public TDialog {
 public:
  explicit TTicking(TWindow* parent) : TDialog(parent, kToolTemplate) {}
  DECLARE_RESPONSE_TABLE(TTicking);
  void EvTimer(int) { ++ticks; }
  bool CanClose() override { return mayClose; }
  int ticks = 0;
  bool mayClose = true;
};
DEFINE_RESPONSE_TABLE(TTicking, TDialog, RT::Timer(&TTicking::EvTimer))

class DialogTest : public DesktopTest {
 protected:
  DialogTest() { Desktop::Get().SetObserver(&recorder); }
  int ExecuteToEnd(TDialog& dialog) {
    try {
      return dialog.Execute();
    } catch (const OutOfSteps&) {
      return -1;
    }
  }
  InputEvent Key(::Key key) {
    InputEvent e;
    e.kind = InputEvent::Kind::KeyDown;
    e.key = key;
    return e;
  }
  TRecorder recorder;
};
}  // namespace

TEST_F(DialogTest, MessageBoxesNestInModalDialogsAndReturnTheButtonPressed) {
  TCanvas canvas;
  canvas.Create();
  TAsker asker(&canvas);
  asker.SetTimer(1, 10);
  ThenWait(10);
  ThenAnswer(IDNO);
  ThenAnswer(IDCANCEL);
  ThenAnswer(IDOK);
  ThenCommand(&asker, IDOK);
  EXPECT_EQ(ExecuteToEnd(asker), IDOK);
  EXPECT_EQ(asker.answers[0], IDNO);
  EXPECT_EQ(asker.answers[1], IDCANCEL);
  EXPECT_EQ(asker.answers[2], IDOK);
  std::vector<std::string> want{"open " + asker.Title(), "box q1", "box q2", "box q3", "closed " + asker.Title()};
  EXPECT_EQ(recorder.events, want);
}

TEST_F(DialogTest, TimersOfEveryWindowKeepFiringUnderAMessageBox) {
  TCanvas canvas;
  canvas.Create();
  auto* ticking = new TTicking(&canvas);
  ticking->Create();  // modeless: the framework owns it
  ticking->SetTimer(7, 100);
  int answer = 0;
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    ThenWait(350);
    ThenAnswer(IDYES);
    answer = MessageBox(&canvas, "q", "c", MB_YESNO);
    return std::nullopt;
  });
  RunSteps();
  EXPECT_EQ(answer, IDYES);
  EXPECT_EQ(ticking->ticks, 3);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscCancels) {
  TCanvas canvas;
  canvas.Create();
  TDialog first(&canvas, kToolTemplate);
  ThenEvent(Key(::Key::Enter));
  EXPECT_EQ(ExecuteToEnd(first), IDOK);
  TDialog second(&canvas, kToolTemplate);
  ThenEvent(Key(::Key::Escape));
  EXPECT_EQ(ExecuteToEnd(second), IDCANCEL);
}

TEST_F(DialogTest, TheCloseBoxAsksTheCloseQuery) {
  TCanvas canvas;
  canvas.Create();
  TTicking dialog(&canvas);
  dialog.mayClose = false;
  InputEvent close;
  close.kind = InputEvent::Kind::Close;
  close.target = &dialog;
  ThenEvent(close);
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    EXPECT_TRUE(dialog.IsCreated());  // refused
    dialog.mayClose = true;
    return close;
  });
  EXPECT_EQ(ExecuteToEnd(dialog), IDCANCEL);
}

TEST_F(DialogTest, UncoveredWindowsRepaintWhereTheyWereCovered) {
  TCanvas canvas;
  canvas.Create();
  TDialog dialog(&canvas, kToolTemplate);
  TRect covered;
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    covered = dialog.ScreenOuterRect();
    canvas.painted.clear();
    return CommandEvent(&dialog, IDOK);
  });
  ExecuteToEnd(dialog);
  ThenWait(0);
  RunSteps();
  ASSERT_EQ(canvas.painted.size(), 1u);
  EXPECT_EQ(canvas.painted[0], covered);
  EXPECT_FALSE(covered.IsEmpty());
}

TEST_F(DialogTest, ModelessWindowsCloseWithTheirParent) {
  TCanvas canvas;
  canvas.Create();
  TTicking parent(&canvas);
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    (new TDialog(&parent, kToolTemplate))->Create();
    (new TDialog(&parent, kToolTemplate))->Create();
    return CommandEvent(&parent, IDOK);
  });
  ExecuteToEnd(parent);
  const std::string title = parent.Title();
  std::vector<std::string> want{"open " + title, "open " + title, "open " + title,
                                "closed " + title, "closed " + title, "closed " + title};
  EXPECT_EQ(recorder.events, want);
  EXPECT_EQ(Desktop::Get().TopLevels().size(), 1u);  // only the canvas is left
}

TEST_F(DialogTest, PaintsAreClippedAndOnlyWindowTextIsReported) {
  TCanvas canvas;
  canvas.Create();
  RunSteps();
  canvas.ClientSurface().Fill(canvas.ClientSurface().Bounds(), kWhite);
  canvas.InvalidateRect({10, 20, 30, 40}, false);
  canvas.UpdateWindow();
  const Surface& s = canvas.ClientSurface();
  EXPECT_EQ(s.Pixel(10, 20), Rgb(1, 2, 3));
  EXPECT_EQ(s.Pixel(29, 39), Rgb(1, 2, 3));
  EXPECT_EQ(s.Pixel(30, 39), kWhite);
  EXPECT_EQ(s.Pixel(9, 20), kWhite);

  TClientDC dc(canvas);
  dc.SetBkColor(Rgb(192, 192, 192));
  TSize extent = dc.TextOut(5, 6, "AB");
  EXPECT_EQ(extent, (TSize{16, 16}));
  EXPECT_EQ(dc.GetPixel(5 + 15, 6 + 15), Rgb(192, 192, 192));  // the opaque cell
  TBitmap bitmap(Surface(8, 8));
  TMemoryDC memory(dc);
  memory.SelectObject(bitmap);
  memory.TextOut(0, 0, "C");
  std::vector<std::string> want{"text 5 6 AB"};
  EXPECT_EQ(recorder.events, want);
}

TEST_F(DialogTest, AQuestionBoxDrawsItsTextBesideTheIconNotOverIt) {
  const char* text = "この道具を装備しますか？";
  TCanvas canvas;
  canvas.Create();
  Surface screen;
  TRect client, buttons;
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    auto* box = dynamic_cast<TDialog*>(Desktop::Get().TopmostMessageBox());
    screen = Desktop::Get().Compose();
    client = box->ScreenClientRect();
    buttons = box->Controls().front().rect.Offset(client.left, client.top);
    return KeyDown(::Key::Escape);
  });
  MessageBox(&canvas, text, "c", MB_YESNOCANCEL | MB_ICONQUESTION);
  // The icon in the box's top-left corner, alone in its column of the box above the buttons.
  constexpr int kMargin = 12, kIcon = 32;
  const int column = 2 * kMargin + kIcon;
  Surface icon(column, buttons.top - client.top, kFaceGrey);
  look::QuestionIcon(icon, icon.Bounds(), kMargin, kMargin);
  int differ = 0;
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < column; ++x) differ += screen.Pixel(client.left + x, client.top + y) != icon.Pixel(x, y);
  EXPECT_EQ(differ, 0) << "pixels of the icon's column that are not the icon";
  // Beside it, all of the text's letters and no more.
  Surface letters(400, 40, kWhite);
  Fonts::Get().Draw(letters, letters.Bounds(), 0, 0, text, FontFace::Prop12, kBlack, std::nullopt);
  int want = 0, inked = 0;
  for (int y = 0; y < letters.Height(); ++y)
    for (int x = 0; x < letters.Width(); ++x) want += letters.Pixel(x, y) == kBlack;
  for (int y = client.top; y < buttons.top; ++y)
    for (int x = client.left + column; x < client.right; ++x) inked += screen.Pixel(x, y) == kBlack;
  EXPECT_GT(want, 100);
  EXPECT_EQ(inked, want);
}
