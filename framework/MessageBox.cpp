#include "framework/MessageBox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Fonts.h"
#include "framework/Look.h"
#include "framework/UiObserver.h"

namespace {
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr TSize kButton{75, 23};
constexpr int kButtonGap = 6;

struct ButtonSpec {
  int id;
  const char* text;
};

std::vector<ButtonSpec> ButtonsFor(unsigned style) {
  switch (style & 0xF) {
    case MB_YESNO:
      return {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}};
    case MB_YESNOCANCEL:
      return {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}, {IDCANCEL, "キャンセル"}};
    default:
      return {{IDOK, "OK"}};
  }
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (true) {
    std::size_t nl = text.find('\n');
    lines.push_back(text.substr(0, nl));
    if (nl == std::string_view::npos) return lines;
    text.remove_prefix(nl + 1);
  }
}

// The message box: its text, an optional question icon and a row of buttons, the first the default.
class TMessageBoxWindow : public TDialog {
 public:
  TMessageBoxWindow(TWindow* owner, std::string_view text, std::string_view caption, unsigned style)
      : TDialog(owner, caption, {1, 1}, {}), text_(text), style_(style) {
    Layout();
  }

  bool IsMessageBox() const override { return true; }
  bool HasCloseBox() const override { return (style_ & 0xF) != MB_YESNO; }

  bool Dispatch(const Message& m) override {
    if (m.kind != Msg::Command) return false;
    if (m.id == IDCANCEL) {
      CmCancel();
      return true;
    }
    if (FindControl(m.id)) Destroy(m.id);
    return true;
  }

  // The close box and Esc: Cancel where there is one, OK for a lone OK, nothing for Yes/No.
  void CmCancel() override {
    if (FindControl(IDCANCEL))
      Destroy(IDCANCEL);
    else if ((style_ & 0xF) == MB_OK)
      Destroy(IDOK);
  }

  void Paint(TDC&, bool, const TRect&) override {
    Surface& s = ClientSurface();
    const TRect all = s.Bounds();
    int x = kMargin;
    if (style_ & MB_ICONQUESTION) {
      look::QuestionIcon(s, all, kMargin, kMargin);
      x += kIconSize + kMargin;
    }
    int y = textTop_;
    for (std::string_view line : Lines(text_)) {
      Fonts::Get().Draw(s, all, x, y, line, FontFace::Prop12, kBlack, std::nullopt);
      y += Fonts::Get().LineHeight(FontFace::Prop12) + 2;
    }
  }

 private:
  void Layout() {
    Fonts& fonts = Fonts::Get();
    int textWidth = 0;
    int lineCount = 0;
    for (std::string_view line : Lines(text_)) {
      textWidth = std::max(textWidth, fonts.Measure(line, FontFace::Prop12).cx);
      ++lineCount;
    }
    const int lineHeight = fonts.LineHeight(FontFace::Prop12) + 2;
    const bool icon = style_ & MB_ICONQUESTION;
    const int textLeft = icon ? kMargin * 2 + kIconSize : kMargin;
    const int textHeight = lineCount * lineHeight;
    const int bodyHeight = std::max(textHeight, icon ? kIconSize : 0);
    textTop_ = kMargin + (bodyHeight - textHeight) / 2;

    std::vector<ButtonSpec> buttons = ButtonsFor(style_);
    const int n = static_cast<int>(buttons.size());
    const int rowWidth = n * kButton.cx + (n - 1) * kButtonGap;
    const int width = std::max({textLeft + textWidth + kMargin, rowWidth + 2 * kMargin, 120});
    const int buttonTop = kMargin + bodyHeight + kMargin;
    SetClientSize({width, buttonTop + kButton.cy + kMargin});
    int bx = (width - rowWidth) / 2;
    for (int i = 0; i < n; ++i) {
      controls_.push_back({i == 0 ? ControlKind::DefPushButton : ControlKind::PushButton, buttons[i].id,
                           buttons[i].text, TRect::FromSize(bx, buttonTop, kButton.cx, kButton.cy)});
      bx += kButton.cx + kButtonGap;
    }
  }

  std::string text_;
  unsigned style_;
  int textTop_ = kMargin;
};
}  // namespace

int MessageBox(TWindow* owner, std::string_view text, std::string_view caption, unsigned style) {
  TMessageBoxWindow box(owner, text, caption, style);
  if (UiObserver* o = Desktop::Get().Observer()) o->BoxOpened(text, caption, style);
  int result = box.Execute();
  if (UiObserver* o = Desktop::Get().Observer()) o->BoxAnswered(caption, result);
  return result;
}
