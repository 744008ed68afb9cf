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
constexpr TSize kClient{560, 380};
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
      : TDialog(owner, "ゲームあそび方", kClient, HelpButtons()), lines_(HelpLines()) {
    UpdateButtons();
  }

  bool Dispatch(const Message& m) override {
    if (m.kind == Msg::Command && (m.id == kPrevious || m.id == kNext)) {
      page_ = std::clamp(page_ + (m.id == kNext ? 1 : -1), 0, LastPage());
      UpdateButtons();
      Invalidate(true);
      return true;
    }
    return TDialog::Dispatch(m);
  }

  void Paint(TDC&, bool, const TRect&) override {
    Surface& s = ClientSurface();
    TRect page{kMargin - 4, kMargin - 4, kClient.cx - kMargin + 4, kButtonTop - 6};
    s.Fill(page, kWhite);
    for (int i = 0; i < kLinesPerPage; ++i) {
      std::size_t line = static_cast<std::size_t>(page_ * kLinesPerPage + i);
      if (line >= lines_.size()) break;
      Fonts::Get().Draw(s, page, kMargin, kMargin + i * kLineHeight, lines_[line], FontFace::Mono16, kBlack,
                        std::nullopt);
    }
  }

 private:
  int LastPage() const { return std::max(0, (static_cast<int>(lines_.size()) - 1) / kLinesPerPage); }
  void UpdateButtons() {
    FindControl(kPrevious)->enabled = page_ > 0;
    FindControl(kNext)->enabled = page_ < LastPage();
    Desktop::Get().MarkDirty();
  }
  std::vector<std::string_view> lines_;
  int page_ = 0;
};

}  // namespace

void ShowHelp(TWindow* owner) {
  Desktop& desktop = Desktop::Get();
  for (TWindow* w : desktop.TopLevels())
    if (dynamic_cast<THelpWindow*>(w)) {
      desktop.BringToTop(w);
      return;
    }
  (new THelpWindow(owner))->Create();
}
