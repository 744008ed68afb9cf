#include "app/HelpWindow.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/HelpText.h"
#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Fonts.h"

namespace {
constexpr int kPrevious = 201;
constexpr int kNext = 202;
constexpr int kMargin = 10;
constexpr int kLineHeight = 18;
// Twelve lines a page: low enough to leave the top of the map in view below the menu bar.
constexpr TSize kClient{560, 267};
constexpr int kButtonTop = kClient.cy - 31;
constexpr int kLinesPerPage = (kButtonTop - 2 * kMargin) / kLineHeight;

std::vector<std::string_view> HelpLines() {
  std::vector<std::string_view> lines;
  std::string_view text = HelpText();
  while (!text.empty()) {
    std::size_t nl = text.find('\n');
    lines.push_back(text.substr(0, nl));
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return lines;
}

bool IsHeading(std::string_view line) { return line.substr(0, 2) == "■"; }

std::vector<Control> HelpButtons() {
  auto button = [](int id, const char* text, int x) {
    return Control{ControlKind::PushButton, id, text, TRect::FromSize(x, kButtonTop, 88, 23)};
  };
  std::vector<Control> controls{button(kPrevious, "前のページ", kMargin), button(kNext, "次のページ", kMargin + 96),
                                button(IDOK, "閉じる", kClient.cx - kMargin - 88)};
  controls[2].kind = ControlKind::DefPushButton;
  return controls;
}

class THelpWindow : public TDialog {
 public:
  explicit THelpWindow(TWindow* owner)
      : TDialog(owner, "ゲームあそび方", kClient, HelpButtons()),
        lines_(HelpLines()),
        pageStarts_(HelpPageStarts(lines_, kLinesPerPage)) {
    UpdateButtons();
  }

  bool Dispatch(const Message& m) override {
    if (m.kind == Msg::Command && (m.id == kPrevious || m.id == kNext)) {
      TurnPage(m.id == kNext ? 1 : -1);
      return true;
    }
    if (m.kind == Msg::KeyDown && (m.key == Key::PageUp || m.key == Key::PageDown)) {
      TurnPage(m.key == Key::PageDown ? 1 : -1);
      return true;
    }
    return TDialog::Dispatch(m);
  }

  int Page() const { return page_; }

 protected:
  void PlaceOnScreen() override {
    const TWindow* map = Parent();
    const TSize screen = Desktop::Get().ScreenSize();
    const TRect mapRect = map ? map->ScreenClientRect() : TRect{0, 0, screen.cx, screen.cy};
    const TRect outer = ScreenOuterRect();
    MoveTo(LeastCoveringPlace({outer.Width(), outer.Height()}, mapRect, screen));
  }

  void Paint(TDC&, bool, const TRect&) override {
    Surface& s = ClientSurface();
    TRect page{kMargin - 4, kMargin - 4, kClient.cx - kMargin + 4, kButtonTop - 6};
    s.Fill(page, kWhite);
    const int first = pageStarts_[static_cast<std::size_t>(page_)];
    const int end = page_ + 1 < static_cast<int>(pageStarts_.size()) ? pageStarts_[static_cast<std::size_t>(page_ + 1)]
                                                                      : static_cast<int>(lines_.size());
    for (int line = first; line < end; ++line)
      Fonts::Get().Draw(s, page, kMargin, kMargin + (line - first) * kLineHeight,
                        lines_[static_cast<std::size_t>(line)], FontFace::Mono16, kBlack, std::nullopt);
  }

 private:
  int LastPage() const { return static_cast<int>(pageStarts_.size()) - 1; }
  void TurnPage(int delta) {
    const int page = std::clamp(page_ + delta, 0, LastPage());
    if (page == page_) return;
    page_ = page;
    UpdateButtons();
    Invalidate(true);
  }
  void UpdateButtons() {
    FindControl(kPrevious)->enabled = page_ > 0;
    FindControl(kNext)->enabled = page_ < LastPage();
    Desktop::Get().MarkDirty();
  }
  std::vector<std::string_view> lines_;
  std::vector<int> pageStarts_;
  int page_ = 0;
};

}  // namespace

std::vector<int> HelpPageStarts(const std::vector<std::string_view>& lines, int linesPerPage) {
  std::vector<int> starts{0};
  int used = 0;
  const int n = static_cast<int>(lines.size());
  for (int i = 0; i < n; ++i) {
    bool breakHere = used == linesPerPage;
    if (IsHeading(lines[static_cast<std::size_t>(i)]) && used > 0) {
      int section = 1;
      while (i + section < n && !IsHeading(lines[static_cast<std::size_t>(i + section)])) ++section;
      // A heading keeps at least one line of its section with it.
      breakHere = breakHere || used + std::min(std::max(section, 2), linesPerPage) > linesPerPage;
    }
    if (breakHere && i > 0) {
      starts.push_back(i);
      used = 0;
    }
    ++used;
  }
  return starts;
}

TPoint LeastCoveringPlace(TSize outer, const TRect& map, TSize screen) {
  // Centred across, against the top or the bottom of the screen: whichever hides less of the map.
  const int x = std::max(0, (screen.cx - outer.cx) / 2);
  TPoint best{x, 0};
  long long bestArea = -1;
  for (int y : {std::max(0, screen.cy - outer.cy), 0}) {
    const TRect covered = TRect::FromSize(x, y, outer.cx, outer.cy).Intersect(map);
    const long long area = covered.IsEmpty() ? 0 : 1LL * covered.Width() * covered.Height();
    if (bestArea < 0 || area < bestArea) {
      best = {x, y};
      bestArea = area;
    }
  }
  return best;
}

void ShowHelp(TWindow* owner) {
  Desktop& desktop = Desktop::Get();
  for (TWindow* w : desktop.TopLevels())
    if (dynamic_cast<THelpWindow*>(w)) {
      desktop.BringToTop(w);
      return;
    }
  (new THelpWindow(owner))->Create();
}
